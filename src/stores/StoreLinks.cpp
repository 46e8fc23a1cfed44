#include "stores/StoreLinks.hpp"

#include "gateway/Wire.hpp"
#include "platform/Context.hpp"
#include "platform/UrlOpener.hpp"

namespace kelda::stores {
namespace {

bool unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

std::string percent(unsigned char c) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  return {'%', kHex[c >> 4], kHex[c & 15]};
}

// A query value: blanks as "+", the unreserved characters as they are, the rest escaped.
std::string queryValue(std::string_view value) {
  std::string out;
  for (unsigned char c : value) {
    if (c == ' ') {
      out += '+';
    } else if (unreserved(c)) {
      out += static_cast<char>(c);
    } else {
      out += percent(c);
    }
  }
  return out;
}

std::string mapsBase() {
  return gateway::addressBase(platform::options()->mapsHost);
}

}  // namespace

std::string telURL(std::string_view number) {
  std::string out = "tel:";
  for (unsigned char c : number) {
    out += unreserved(c) || c == '+' ? std::string(1, static_cast<char>(c)) : percent(c);
  }
  return out;
}

std::string directionsURL(std::string_view address) {
  return mapsBase() + "maps?saddr=&daddr=" + queryValue(address);
}

std::string mapSearchURL(std::string_view address) {
  return mapsBase() + "maps?q=" + queryValue(address);
}

void openCall(std::string_view number) {
  platform::UrlOpener::shared().openURL(telURL(number));
}

void openDirections(std::string_view address) {
  platform::UrlOpener::shared().openURL(directionsURL(address));
}

void openMapSearch(std::string_view address) {
  platform::UrlOpener::shared().openURL(mapSearchURL(address));
}

}  // namespace kelda::stores
