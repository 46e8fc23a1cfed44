// The field predicates the store forms use, with the shared validation's names and rules:
// characters are judged by code point, and anything above 127 is never a letter or a digit.
// (To be replaced by the shared validation object once it lands.)
#pragma once

#include <cstddef>
#include <string>

namespace kelda::stores {

// True when every character is a letter (the empty text passes).
bool validateAlpha(const std::string& text);
// True when some character is not a digit (false for the empty text).
bool isDigitContainsString(const std::string& text);
// True for the empty text, or when some character is a digit.
bool isStringContainsDigit(const std::string& text);
// The number of characters (UTF-8 code points).
std::size_t characterCount(const std::string& text);

}  // namespace kelda::stores
