// StoreEndpoints: the store-side answers: `store_locator` (nearest stores by ZIP code, city and
// state, or position), `findinstore` (the same search with one UPC's availability per store),
// `instore_savingspass` (the pass of the region of a ZIP code or a city and state),
// `store_events` (a store's upcoming events, or those of one date) and the geocoder's KML
// answer. Event and pass dates follow the current day. Any request thread.
#pragma once

#include <ctime>
#include <string>

#include "FormFields.hpp"
#include "Json.hpp"
#include "ServerState.hpp"

namespace kelda::server {

class StoreEndpoints {
 public:
  explicit StoreEndpoints(ServerState& state) : state_(state) {}

  json::Value locate(const FormFields& form);
  json::Value findInStore(const FormFields& form);
  json::Value savingsPass(const FormFields& form, const std::string& baseUrl);
  json::Value events(const FormFields& form);
  // KML 2.0 text for the query "q": Status/code 200 and Point/coordinates ("lon,lat,0") for an
  // address naming a store's ZIP code or city, code 602 otherwise.
  std::string geocode(const FormFields& query);

  // Days since 1970-01-01 (UTC) of "Dec 8, 2026", "8 Dec, 2026", "2026-12-08", "12/08/2026"...
  static std::optional<long long> parseDay(std::string_view text);
  static std::string formatDay(long long day);  // "12/08/2026"

  // The clock's current day; tests may fix it.
  void setToday(long long day) { today_ = day; }

 private:
  long long today() const;
  ServerState& state_;
  std::optional<long long> today_;
};

}  // namespace kelda::server
