// UTF-8 checks shared by the reader and the writer. Stateless; any thread.
#pragma once

#include <cstddef>
#include <string_view>

namespace kelda::json::utf8 {

// Length (2 to 4) of the well-formed multi-byte sequence starting at `p` (whose first byte is
// 0x80 or above), or 0 when it is not well formed: stray continuation bytes, overlong forms,
// UTF-16 surrogates, values above U+10FFFF and sequences cut off by `end` are all refused.
std::size_t sequenceLength(const unsigned char* p, const unsigned char* end);

// True when the whole text is well-formed UTF-8.
bool isValid(std::string_view text);

// Appends code point `cp` (at most U+10FFFF, not a surrogate) encoded as UTF-8.
template <class Out>
void append(Out& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(char(cp));
  } else if (cp < 0x800) {
    out.push_back(char(0xC0 | (cp >> 6)));
    out.push_back(char(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(char(0xE0 | (cp >> 12)));
    out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(char(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(char(0xF0 | (cp >> 18)));
    out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(char(0x80 | (cp & 0x3F)));
  }
}

}  // namespace kelda::json::utf8
