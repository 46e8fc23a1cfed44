// StoreRecord: what the store screens read from one store of a "store_locator" or
// "findinstore" answer: the address text, the number to dial and the coordinates.
// Plain functions of the decoded record; any thread.
#pragma once

#include <optional>
#include <string>

#include "json/Value.hpp"
#include "ui/MapView.hpp"

namespace kelda::stores {

// "%@, %@ %@, %@ %@%@" of addressLine1, addressLine2, addrCity, addrState, addrCountryCode and
// addrPostalCode (country and postal code run together); a missing part reads as empty.
std::string storeAddressText(const json::Value& store);

// The store's "addrPhoneNumber" with every "-" removed (and every "_" when `withoutUnderscores`).
std::string dialNumber(const json::Value& store, bool withoutUnderscores = false);

// A latitude and a longitude given as texts or numbers, when both are decimal numbers in range
// (latitude -90..90, longitude -180..180); nothing otherwise.
std::optional<ui::Coordinate> coordinateOf(const json::Value& latitude,
                                           const json::Value& longitude);

// The "%@,%@" text of valid coordinates that a map screen is opened with; empty when the
// coordinates are missing or invalid (the map screen then looks the address up instead).
std::string locationCoordinateText(const json::Value& latitude, const json::Value& longitude);

// The store's "storeLocation" coordinates (store lists) or its own "storeLatitude" and
// "storeLongitude" (find in store), as locationCoordinateText.
std::string storeLocationCoordinate(const json::Value& store);
std::string storeOwnCoordinate(const json::Value& store);

}  // namespace kelda::stores
