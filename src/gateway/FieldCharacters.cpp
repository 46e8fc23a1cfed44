#include "gateway/FieldCharacters.hpp"

#include <unicode/utf8.h>

#include <cstdint>

namespace kelda::gateway {

std::u32string codePoints(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  const auto length = static_cast<std::int32_t>(text.size());
  std::int32_t i = 0;
  while (i < length) {
    UChar32 c = 0;
    U8_NEXT(bytes, i, length, c);
    out.push_back(c < 0 ? U'\uFFFD' : static_cast<char32_t>(c));
  }
  return out;
}

std::size_t utf16Length(std::string_view text) {
  std::size_t units = 0;
  for (char32_t c : codePoints(text)) units += c > 0xFFFF ? 2 : 1;
  return units;
}

}  // namespace kelda::gateway
