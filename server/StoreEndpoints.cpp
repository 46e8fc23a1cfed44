#include "StoreEndpoints.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <optional>
#include <vector>

#include "ReferenceData.hpp"
#include "Text.hpp"

namespace kelda::server {
namespace {

constexpr double kRadiusMiles = 150.0;
constexpr std::size_t kMaxStores = 10;
constexpr std::array<std::string_view, 12> kMonths{"jan", "feb", "mar", "apr", "may", "jun",
                                                   "jul", "aug", "sep", "oct", "nov", "dec"};

struct Store {
  long long id;
  std::string name, address1, address2, city, state, zipcode, phone, hours;
  double latitude, longitude;
  double distance = 0;
};

std::vector<Store> allStores(Database& db) {
  auto& st = db.prepare(
      "SELECT id, name, address1, address2, city, state, zipcode, phone, hours, latitude, "
      "longitude FROM stores ORDER BY id");
  std::vector<Store> stores;
  while (st.step()) {
    stores.push_back({st.integer(0), st.text(1), st.text(2), st.text(3), st.text(4), st.text(5),
                      st.text(6), st.text(7), st.text(8), st.real(9), st.real(10)});
  }
  return stores;
}

double miles(double lat1, double lon1, double lat2, double lon2) {
  constexpr double kRad = 3.14159265358979323846 / 180.0;
  const double dlat = (lat2 - lat1) * kRad, dlon = (lon2 - lon1) * kRad;
  const double a =
      std::sin(dlat / 2) * std::sin(dlat / 2) +
      std::cos(lat1 * kRad) * std::cos(lat2 * kRad) * std::sin(dlon / 2) * std::sin(dlon / 2);
  return 3958.8 * 2 * std::atan2(std::sqrt(a), std::sqrt(1 - a));
}

// A state's code from its code or its full name (any letter case); empty when unknown.
std::string stateCode(std::string_view text) {
  const std::string t = lowerAscii(trim(text));
  for (const auto& s : reference::states()) {
    if (lowerAscii(s.code) == t || lowerAscii(s.name) == t) return std::string(s.code);
  }
  return {};
}

// A position from latitude and longitude texts: plain decimals within range (never "nan",
// "inf" or hexadecimal, which would pass a range check and poison every distance).
std::optional<std::pair<double, double>> parsePosition(const std::string& latitude,
                                                       const std::string& longitude) {
  const auto lat = parseDecimal(latitude, 90), lon = parseDecimal(longitude, 180);
  if (!lat || !lon) return std::nullopt;
  return std::pair{*lat, *lon};
}

// Where a search starts: a store's place for a ZIP code or city, or the position given.
struct Origin {
  double latitude = 0, longitude = 0;
  std::string stateOnly;  // set when only the state is known: all its stores, by distance
  std::string error;
};

Origin originOf(const FormFields& form, const std::vector<Store>& stores) {
  Origin o;
  if (form.has("latitude") || form.has("longitude")) {
    auto p = parsePosition(form.trimmed("latitude"), form.trimmed("longitude"));
    if (!p)
      o.error = "We couldn't read your location. Please try again.";
    else
      std::tie(o.latitude, o.longitude) = *p;
    return o;
  }
  if (form.has("zipcode")) {
    const std::string zip = form.trimmed("zipcode");
    if (zip.size() != 5 || !allDigits(zip)) {
      o.error = "Please enter a valid ZIP code.";
      return o;
    }
    const long long wanted = std::stoll(zip);
    const Store* best = nullptr;
    for (const auto& s : stores) {
      if (!best || std::llabs(std::stoll(s.zipcode) - wanted) <
                       std::llabs(std::stoll(best->zipcode) - wanted))
        best = &s;
    }
    if (best && std::llabs(std::stoll(best->zipcode) - wanted) < 1000) {
      o.latitude = best->latitude;
      o.longitude = best->longitude;
    } else {
      o.error = "We couldn't find any stores near " + zip + ".";
    }
    return o;
  }
  const std::string city = lowerAscii(form.trimmed("city"));
  const std::string code = stateCode(form.get("state"));
  if (city.empty() || code.empty()) {
    o.error = "Please enter a city and a state.";
    return o;
  }
  for (const auto& s : stores) {
    if (s.state == code && lowerAscii(s.city) == city) {
      o.latitude = s.latitude;
      o.longitude = s.longitude;
      return o;
    }
  }
  o.stateOnly = code;
  return o;
}

json::Value storeRecord(const Store& s) {
  std::vector<json::Value> hours;
  for (const auto& entry : split(s.hours, ';')) {
    const auto parts = split(entry, '|');
    if (parts.size() == 2)
      hours.push_back(
          ObjectBuilder().add("storedate", parts[0]).add("storeTime", parts[1]).build());
  }
  const std::string lat = fmt::format("{:.6f}", s.latitude),
                    lon = fmt::format("{:.6f}", s.longitude);
  return ObjectBuilder()
      .add("storeId", std::to_string(s.id))
      .add("storeName", s.name)
      .add("addressLine1", s.address1)
      .add("addressLine2", s.address2)
      .add("addrCity", s.city)
      .add("addrState", s.state)
      .add("addrCountryCode", "US")
      .add("addrPostalCode", s.zipcode)
      .add("addrPhoneNumber", s.phone)
      .add("distanceInMiles", fmt::format("{:.1f}", s.distance))
      .add("storeHours", json::Value::array(std::move(hours)))
      .add("storeLatitude", lat)
      .add("storeLongitude", lon)
      .add("storeLocation",
           ObjectBuilder().add("storeLatitude", lat).add("storeLongitude", lon).build())
      .build();
}

json::Value failure(std::string message) {
  return ObjectBuilder().add("error", true).add("errorMsg", std::move(message)).build();
}

// The stores nearest to the place the form names, or the error that says why there are none.
std::vector<Store> nearest(const FormFields& form, std::vector<Store> stores, std::string& error) {
  const Origin o = originOf(form, stores);
  if (!o.error.empty()) {
    error = o.error;
    return {};
  }
  std::vector<Store> found;
  for (auto& s : stores) {
    if (!o.stateOnly.empty()) {
      if (s.state != o.stateOnly) continue;
    } else {
      s.distance = miles(o.latitude, o.longitude, s.latitude, s.longitude);
      if (s.distance > kRadiusMiles) continue;
    }
    found.push_back(s);
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const Store& a, const Store& b) { return a.distance < b.distance; });
  if (found.size() > kMaxStores) found.resize(kMaxStores);
  if (found.empty()) error = "We couldn't find any stores near the place you entered.";
  return found;
}

std::string regionOf(const FormFields& form, Database& db) {
  std::string code;
  if (form.has("zipcode")) {
    const std::string zip = form.trimmed("zipcode");
    if (zip.size() != 5 || !allDigits(zip)) return {};
    auto& st = db.prepare("SELECT state FROM stores WHERE zipcode = ?");
    if (st.bind(1, zip).step()) {
      code = st.text(0);
    } else {
      static constexpr std::array<std::string_view, 10> kByDigit{
          "Northeast", "Northeast", "South", "South", "Midwest",
          "Midwest",   "Midwest",   "South", "West",  "West"};
      return std::string(kByDigit[static_cast<std::size_t>(zip[0] - '0')]);
    }
  } else {
    if (form.trimmed("city").empty()) return {};
    code = stateCode(form.get("state"));
  }
  for (const auto& s : reference::states()) {
    if (s.code == code) return std::string(s.region);
  }
  return {};
}

}  // namespace

long long StoreEndpoints::today() const {
  if (today_) return *today_;
  using namespace std::chrono;
  return floor<days>(system_clock::now()).time_since_epoch().count();
}

std::optional<long long> StoreEndpoints::parseDay(std::string_view text) {
  // Reads the numbers and a month name in any order: a four-digit year, a day, a month.
  std::vector<std::string> numbers;
  int month = 0;
  std::string token;
  auto flush = [&] {
    if (token.empty()) return;
    if (allDigits(token)) {
      numbers.push_back(token);
    } else {
      const std::string l = lowerAscii(token.substr(0, 3));
      for (std::size_t m = 0; m < kMonths.size(); ++m) {
        if (l == kMonths[m]) month = static_cast<int>(m) + 1;
      }
    }
    token.clear();
  };
  for (char c : text) {
    if (std::isalnum(static_cast<unsigned char>(c)))
      token.push_back(c);
    else
      flush();
  }
  flush();
  int year = 0, day = 0;
  std::vector<int> small;
  for (const auto& n : numbers) {
    if (n.size() == 4)
      year = std::stoi(n);
    else if (n.size() <= 2)
      small.push_back(std::stoi(n));
  }
  if (month == 0 && small.size() == 2) {  // 12/08/2026 or 2026-12-08: month first
    month = small[0];
    day = small[1];
  } else if (small.size() == 1) {
    day = small[0];
  }
  if (year < 1900 || year > 2200 || month < 1 || month > 12 || day < 1 || day > 31)
    return std::nullopt;
  using namespace std::chrono;
  const year_month_day ymd{std::chrono::year(year),
                           std::chrono::month(static_cast<unsigned>(month)),
                           std::chrono::day(static_cast<unsigned>(day))};
  if (!ymd.ok()) return std::nullopt;
  return sys_days(ymd).time_since_epoch().count();
}

std::string StoreEndpoints::formatDay(long long day) {
  using namespace std::chrono;
  const year_month_day ymd{sys_days(days(day))};
  return fmt::format("{:02}/{:02}/{:04}", static_cast<unsigned>(ymd.month()),
                     static_cast<unsigned>(ymd.day()), static_cast<int>(ymd.year()));
}

json::Value StoreEndpoints::locate(const FormFields& form) {
  auto db = state_.pool.acquire();
  std::string error;
  const auto stores = nearest(form, allStores(*db), error);
  if (stores.empty()) return failure(error);
  std::vector<json::Value> data;
  for (const auto& s : stores) data.push_back(storeRecord(s));
  return ObjectBuilder().add("data", json::Value::array(std::move(data))).build();
}

json::Value StoreEndpoints::findInStore(const FormFields& form) {
  const auto upc = parseId(form.get("upcId"));
  auto db = state_.pool.acquire();
  auto& st = db->prepare(
      "SELECT u.stock, u.in_store, p.available FROM upcs u JOIN products p ON p.id = u.product_id "
      "WHERE u.id = ?1 UNION ALL "
      "SELECT u.stock, u.in_store, p.available FROM upcs u JOIN products p ON p.id = u.product_id "
      "WHERE u.upc_number = ?2 LIMIT 1");  // two indexed lookups; an OR scanned every UPC
  if (!st.bind(1, upc.value_or(0)).bind(2, form.trimmed("upcId")).step()) {
    return failure("We couldn't find that item.");
  }
  const bool eligible = st.integer(1) && st.integer(2);
  std::string error;
  const auto stores = nearest(form, allStores(*db), error);
  if (stores.empty()) return failure(error);
  std::vector<json::Value> data;
  for (const auto& s : stores) {
    json::Value record = storeRecord(s);
    const auto draw = fnv1a(form.trimmed("upcId") + "@" + std::to_string(s.id)) % 4;
    const char* availability = !eligible   ? "NOTAVAILABLE"
                               : draw == 0 ? "LIMITED"
                               : draw == 1 ? "NOTAVAILABLE"
                                           : "AVAILABLE";
    data.push_back(record.with("storeAvailability", availability));
  }
  return ObjectBuilder().add("data", json::Value::array(std::move(data))).build();
}

json::Value StoreEndpoints::savingsPass(const FormFields& form, const std::string& baseUrl) {
  auto db = state_.pool.acquire();
  const std::string region = regionOf(form, *db);
  auto& st = db->prepare("SELECT title, region_text FROM savings_passes WHERE region = ?");
  if (region.empty() || !st.bind(1, region).step()) {
    return ObjectBuilder()
        .add("success", number(0))
        .add("errorMsg", "There is no savings pass for that place.")
        .build();
  }
  using namespace std::chrono;
  const year_month_day now{sys_days(days(today()))};
  const long long first = sys_days(now.year() / now.month() / 1).time_since_epoch().count();
  const long long lastDay =
      sys_days(now.year() / now.month() / std::chrono::last).time_since_epoch().count();
  return ObjectBuilder()
      .add("success", number(1))
      .add("data", ObjectBuilder()
                       .add("savingsPassTitle", st.text(0))
                       .add("validityPeriod", formatDay(first) + " - " + formatDay(lastDay))
                       .add("validityFrom", formatDay(first))
                       .add("validityTo", formatDay(lastDay))
                       .add("imageURL", baseUrl + "/images/pass/" + region + ".png")
                       .add("pdfURL", baseUrl + "/pdf/pass/" + region + ".pdf")
                       .add("regionText", st.text(1))
                       .build())
      .build();
}

json::Value StoreEndpoints::events(const FormFields& form) {
  const auto store = parseId(form.get("storeId"));
  if (!store) return failure("Please choose a store.");
  std::optional<long long> from, to;
  if (form.has("eventFrom") || form.has("eventTo")) {
    from = parseDay(form.get("eventFrom"));
    to = parseDay(form.get("eventTo"));
    if (!from || !to) return failure("We couldn't read that date.");
  }
  auto db = state_.pool.acquire();
  auto& st = db->prepare(
      "SELECT name, description, start_offset, days FROM store_events WHERE store_id = ? "
      "ORDER BY start_offset, id");
  std::vector<json::Value> data;
  const long long now = today();
  for (st.bind(1, *store); st.step();) {
    const long long start = now + st.integer(2), finish = start + st.integer(3) - 1;
    const bool wanted = from ? (start <= *to && finish >= *from) : finish >= now;
    if (!wanted) continue;
    data.push_back(ObjectBuilder()
                       .add("storeEventName", st.text(0))
                       .add("storeEventDesc", st.text(1))
                       .add("storeEventStartDate", formatDay(start))
                       .add("storeEventFinishDate", formatDay(finish))
                       .build());
  }
  if (data.empty()) return failure("There are no events for this store on that date.");
  return ObjectBuilder().add("data", json::Value::array(std::move(data))).build();
}

std::string StoreEndpoints::geocode(const FormFields& query) {
  const std::string q = " " + lowerAscii(query.get("q")) + " ";
  auto db = state_.pool.acquire();
  const auto stores = allStores(*db);
  const Store* hit = nullptr;
  for (const auto& s : stores) {
    if (q.find(" " + s.zipcode + " ") != std::string::npos) hit = &s;
  }
  for (std::size_t i = 0; i < stores.size() && !hit; ++i) {
    if (q.find(" " + lowerAscii(stores[i].city) + " ") != std::string::npos) hit = &stores[i];
  }
  const int code = hit ? 200 : 602;
  std::string placemark;
  if (hit) {
    placemark = fmt::format(
        "<Placemark id=\"p1\"><address>{}, {}, {} {}, USA</address><Point><coordinates>{:.6f},"
        "{:.6f},0</coordinates></Point></Placemark>",
        hit->address1, hit->city, hit->state, hit->zipcode, hit->longitude, hit->latitude);
  }
  std::string name = validUtf8(query.get("q"));
  for (const auto& [from, to] :
       {std::pair{'&', "&amp;"}, std::pair{'<', "&lt;"}, std::pair{'>', "&gt;"}}) {
    std::string escaped;
    for (char c : name) escaped += c == from ? std::string(to) : std::string(1, c);
    name = escaped;
  }
  return fmt::format(
      "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<kml xmlns=\"http://earth.google.com/kml/2.0\">"
      "<Response><name>{}</name><Status><code>{}</code><request>geocode</request></Status>{}"
      "</Response></kml>\n",
      name, code, placemark);
}

}  // namespace kelda::server
