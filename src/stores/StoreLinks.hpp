// StoreLinks: the outside addresses the store screens open through the URL opener: a phone
// call, driving directions to a store and a map search for it.
//
// Every value is URL-escaped when the address is built, so an address or number holding "&",
// "#", "?", "%" or "+" reaches the map service or the dialler whole instead of cutting the
// address short or adding parameters. Any thread.
#pragma once

#include <string>
#include <string_view>

namespace kelda::stores {

// "tel:%@" of the number: "+" (the international prefix), digits, letters and "-._~" stay as
// they are, anything else is percent-escaped.
std::string telURL(std::string_view number);
// The map service's directions from no start address to `address`: "/maps?saddr=&daddr=%@"
// on the maps host, blanks as "+", anything outside letters, digits and "-._~" percent-escaped
// ("'" as "%27").
std::string directionsURL(std::string_view address);
// The map service's search for `address`: "/maps?q=%@" on the maps host, escaped the same way.
std::string mapSearchURL(std::string_view address);

// Opens the address through the current context's URL opener.
void openCall(std::string_view number);
void openDirections(std::string_view address);
void openMapSearch(std::string_view address);

}  // namespace kelda::stores
