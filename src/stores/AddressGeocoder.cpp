#include "stores/AddressGeocoder.hpp"

#include <fmt/format.h>

#include <memory>

#include "gateway/TarnServerAPIs.hpp"
#include "gateway/Wire.hpp"
#include "json/Value.hpp"
#include "platform/Context.hpp"
#include "platform/Log.hpp"
#include "stores/StoreRecord.hpp"
#include "support/CXMLDocument.hpp"
#include "support/CXMLElement.hpp"

namespace kelda::stores {
namespace {

using support::CXMLDocument;
using support::CXMLNode;

constexpr std::string_view kLogName =
    "+[AddressGeocoder geocodeStreetAddress:city:state:zip:country:intoLocation:]";

// Characters that may stand in a query value as they are; anything else is escaped, so "&",
// "+", "%", "#" and blanks never change the request's meaning.
bool allowedInValue(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         std::string_view("-._~!$'()*,;:@/").find(static_cast<char>(c)) != std::string_view::npos;
}

std::string escapeValue(std::string_view value) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : value) {
    if (allowedInValue(c)) {
      out += static_cast<char>(c);
    } else {
      out += {'%', kHex[c >> 4], kHex[c & 15]};
    }
  }
  return out;
}

// The text of the first node the expression finds, or nothing.
std::optional<std::string> firstValue(const CXMLNode& root, std::string_view xpath) {
  const auto nodes = root.nodesForXPath(xpath, {{"kml", AddressGeocoder::kKmlNamespace}});
  if (nodes.empty()) return std::nullopt;
  return nodes.front()->stringValue();
}

}  // namespace

std::string AddressGeocoder::geocodingURL(std::string_view address) {
  const auto options = platform::options();
  return gateway::addressBase(options->mapsHost) + "maps/geo?q=" + escapeValue(address) +
         "&output=xml&sensor=false&key=" + escapeValue(options->mapsKey);
}

std::optional<ui::Coordinate> AddressGeocoder::coordinateOfAnswer(std::string_view kml) {
  const auto document = CXMLDocument::withData(kml);
  if (!document) return std::nullopt;
  return coordinateOfDocument(*document);
}

std::optional<ui::Coordinate> AddressGeocoder::coordinateOfDocument(
    const support::CXMLDocument& document) {
  const CXMLNode* root = document.rootElement();
  if (root == nullptr) return std::nullopt;
  if (firstValue(*root, "//kml:Status/kml:code") != "200") return std::nullopt;
  const auto coordinates = firstValue(*root, "//kml:coordinates");
  if (!coordinates) return std::nullopt;
  // "longitude,latitude,altitude": longitude first.
  const auto first = coordinates->find(',');
  if (first == std::string::npos) return std::nullopt;
  const auto second = coordinates->find(',', first + 1);
  const std::string longitude = coordinates->substr(0, first);
  const std::string latitude = coordinates->substr(
      first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
  return coordinateOf(json::Value(latitude), json::Value(longitude));
}

std::optional<ui::Coordinate> AddressGeocoder::geocodeStreetAddress(std::string_view street,
                                                                    std::string_view city,
                                                                    std::string_view state,
                                                                    std::string_view zip,
                                                                    std::string_view country) {
  const std::string address = fmt::format("{} {} {} {} {}", street, city, state, zip, country);
  support::CXMLError error;
  const auto document =
      CXMLDocument::withContentsOfURL(geocodingURL(address), CXMLDocument::kDefaultOptions, &error,
                                      gateway::TarnServerAPIs::sharedInstance().timeout());
  if (!document) {
    log::info(kLogName, error.description);
    return std::nullopt;
  }
  return coordinateOfDocument(*document);
}

std::optional<ui::Coordinate> AddressGeocoder::locationOfAddress(std::string_view street,
                                                                 std::string_view city,
                                                                 std::string_view state,
                                                                 std::string_view zip,
                                                                 std::string_view country) {
  if (auto found = geocodeStreetAddress(street, city, state, zip, country)) return found;
  return geocodeStreetAddress("", city, state, zip, country);
}

}  // namespace kelda::stores
