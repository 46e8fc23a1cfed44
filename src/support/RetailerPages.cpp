#include "support/RetailerPages.hpp"

#include "gateway/FieldCharacters.hpp"
#include "gateway/Wire.hpp"

namespace kelda::support {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void appendEscaped(std::string& out, unsigned char c) {
  out += '%';
  out += kHex[c >> 4];
  out += kHex[c & 0xF];
}

bool isUnreserved(unsigned char c) {
  return gateway::isAsciiLetter(c) || gateway::isAsciiDigit(c) || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

// Characters an address may hold as they are (RFC 3986 reserved and unreserved, and "%").
bool mayStandInAddress(unsigned char c) {
  static constexpr std::string_view kReserved = ":/?#[]@!$&'()*+,;=%";
  return c < 128 && (isUnreserved(c) || kReserved.find(static_cast<char>(c)) != kReserved.npos);
}

}  // namespace

std::string retailerPageURL(std::string_view path) {
  std::string base = gateway::addressBase(gateway::webHost());
  if (!path.empty() && path.front() == '/') path.remove_prefix(1);
  for (unsigned char c : path) {
    if (mayStandInAddress(c)) {
      base += static_cast<char>(c);
    } else {
      appendEscaped(base, c);
    }
  }
  return base;
}

std::string escapeURLValue(std::string_view text) {
  std::string out;
  for (unsigned char c : text) {
    if (isUnreserved(c)) {
      out += static_cast<char>(c);
    } else {
      appendEscaped(out, c);
    }
  }
  return out;
}

std::string escapeHTML(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace kelda::support
