#include "stores/FieldPredicates.hpp"

namespace kelda::stores {
namespace {

bool isLetter(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isDigit(unsigned char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

bool validateAlpha(const std::string& text) {
  for (unsigned char c : text) {
    if (!isLetter(c)) return false;
  }
  return true;
}

bool isDigitContainsString(const std::string& text) {
  for (unsigned char c : text) {
    if (!isDigit(c)) return true;
  }
  return false;
}

bool isStringContainsDigit(const std::string& text) {
  if (text.empty()) return true;
  for (unsigned char c : text) {
    if (isDigit(c)) return true;
  }
  return false;
}

std::size_t characterCount(const std::string& text) {
  std::size_t count = 0;
  for (unsigned char c : text) {
    if ((c & 0xC0) != 0x80) ++count;
  }
  return count;
}

}  // namespace kelda::stores
