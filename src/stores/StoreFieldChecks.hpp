// StoreFieldChecks: the entry rules of the store search form and of the find-in-store form.
// Each answers the message of the first rule the entry breaks, or nothing when it may be sent.
// The two forms share the rules (the shared validators of Components) but word some messages
// differently. Any thread.
#pragma once

#include <optional>
#include <string>

namespace kelda::stores {

// Store search (title "Sorry!" for every message).
inline constexpr const char* kFillZipOrCity = "Please fill the ZIP code or city name and state";
inline constexpr const char* kInvalidZip = "Please enter a valid ZIP code";
inline constexpr const char* kInvalidCityAndState = "Please enter a valid city name and state";
inline constexpr const char* kInvalidCity = "Please enter a valid city name";
// Find in store.
inline constexpr const char* kInvalidZipLower = "Please enter a valid zip code";
inline constexpr const char* kInvalidState = "Please enter a valid state name";

// Five characters, none of them anything but a digit (so not letters only either).
bool isValidZip(const std::string& zip);

std::optional<std::string> storeSearchZipProblem(const std::string& zip);
std::optional<std::string> storeSearchCityProblem(const std::string& city, bool stateChosen);
std::optional<std::string> findInStoreZipProblem(const std::string& zip);
std::optional<std::string> findInStoreCityProblem(const std::string& city, bool stateChosen);

}  // namespace kelda::stores
