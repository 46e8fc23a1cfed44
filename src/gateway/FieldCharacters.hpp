// FieldCharacters: how the field validators read a text. Texts are UTF-8; the validators judge
// them one code point at a time, and only the ASCII letters, digits and blanks count as such:
// every character above 127 (an accented or non-Latin letter included) is neither, so it is a
// special character wherever the rules forbid special characters. Lengths are counted in UTF-16
// code units, as the limits of the forms are written. Stateless; any thread.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelda::gateway {

// The code points of `text`; an ill-formed byte sequence comes out as U+FFFD, so a text that is
// not UTF-8 is still judged character by character (and fails every character class).
std::u32string codePoints(std::string_view text);
// UTF-16 code units of `text` (a character beyond U+FFFF counts two).
std::size_t utf16Length(std::string_view text);

// A-Z and a-z.
constexpr bool isAsciiLetter(char32_t c) {
  return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z');
}
// 0-9.
constexpr bool isAsciiDigit(char32_t c) {
  return c >= U'0' && c <= U'9';
}
// Space, tab, line feed, vertical tab, form feed and carriage return.
constexpr bool isAsciiBlank(char32_t c) {
  return c == U' ' || (c >= U'\t' && c <= U'\r');
}

// True when every code point of `text` satisfies `keep` (the empty text does).
template <class Predicate>
bool everyCharacter(std::string_view text, Predicate keep) {
  for (char32_t c : codePoints(text)) {
    if (!keep(c)) return false;
  }
  return true;
}

}  // namespace kelda::gateway
