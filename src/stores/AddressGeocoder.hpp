// AddressGeocoder: turns a store's address into coordinates through the map service's
// geocoder (GET "/maps/geo" on the maps host with the mapping key), whose answer is a KML 2.0
// document read with the XML document wrapper.
//
// Synchronous: call it on a worker. Nothing else is fetched: the answer is parsed without
// loading any entity or DTD, and an answer over CXMLDocument::kMaxDownloadBytes is not read.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/MapView.hpp"

namespace kelda::support {
class CXMLDocument;
}

namespace kelda::stores {

class AddressGeocoder {
 public:
  static constexpr const char* kKmlNamespace = "http://earth.google.com/kml/2.0";

  // The coordinate of the full address, else of the address without its street; nothing
  // when neither is found (never a made-up 0,0).
  static std::optional<ui::Coordinate> locationOfAddress(std::string_view street,
                                                         std::string_view city,
                                                         std::string_view state,
                                                         std::string_view zip,
                                                         std::string_view country);
  // One request for the address "%@ %@ %@ %@ %@" of the five parts; the coordinate when the
  // answer's status code is "200" and its first coordinates are a valid longitude,latitude.
  static std::optional<ui::Coordinate> geocodeStreetAddress(std::string_view street,
                                                            std::string_view city,
                                                            std::string_view state,
                                                            std::string_view zip,
                                                            std::string_view country);
  // The request address for an address text: "/maps/geo?q=" + the text + "&output=xml&sensor=
  // false&key=" + the key, each value URL-escaped (blanks as "%20").
  static std::string geocodingURL(std::string_view address);
  // Reads a geocoder answer: the coordinate it gives, or nothing.
  static std::optional<ui::Coordinate> coordinateOfAnswer(std::string_view kml);
  static std::optional<ui::Coordinate> coordinateOfDocument(const support::CXMLDocument& kml);
};

}  // namespace kelda::stores
