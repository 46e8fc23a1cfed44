#include "stores/StoreRecord.hpp"

#include <fmt/format.h>

#include "platform/PositionProvider.hpp"

namespace kelda::stores {

std::string storeAddressText(const json::Value& store) {
  return fmt::format("{}, {} {}, {} {}{}", store["addressLine1"].text(),
                     store["addressLine2"].text(), store["addrCity"].text(),
                     store["addrState"].text(), store["addrCountryCode"].text(),
                     store["addrPostalCode"].text());
}

std::string dialNumber(const json::Value& store, bool withoutUnderscores) {
  std::string number;
  for (char c : store["addrPhoneNumber"].text()) {
    if (c == '-' || (withoutUnderscores && c == '_')) continue;
    number += c;
  }
  return number;
}

std::optional<ui::Coordinate> coordinateOf(const json::Value& latitude,
                                           const json::Value& longitude) {
  if (!(latitude.isString() || latitude.isNumber()) ||
      !(longitude.isString() || longitude.isNumber())) {
    return std::nullopt;
  }
  const std::string text = latitude.str() + "," + longitude.str();
  const auto fix = platform::PositionProvider::parsePosition(text);
  if (!fix) return std::nullopt;
  return ui::Coordinate{fix->latitude, fix->longitude};
}

std::string locationCoordinateText(const json::Value& latitude, const json::Value& longitude) {
  if (!coordinateOf(latitude, longitude)) return {};
  return latitude.str() + "," + longitude.str();
}

std::string storeLocationCoordinate(const json::Value& store) {
  const json::Value location = store["storeLocation"];
  return locationCoordinateText(location["storeLatitude"], location["storeLongitude"]);
}

std::string storeOwnCoordinate(const json::Value& store) {
  return locationCoordinateText(store["storeLatitude"], store["storeLongitude"]);
}

}  // namespace kelda::stores
