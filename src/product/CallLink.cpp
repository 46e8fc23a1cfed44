#include "product/CallLink.hpp"

namespace kelda::product {

std::string telURL(std::string_view number) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url = "tel://";
  for (unsigned char c : number) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '.' || c == '_' || c == '~';
    if (plain) {
      url += static_cast<char>(c);
    } else {
      url += '%';
      url += kHex[c >> 4];
      url += kHex[c & 0xF];
    }
  }
  return url;
}

}  // namespace kelda::product
