#include "product/TextCut.hpp"

namespace kelda::product {

std::string cutText(std::string_view text, std::size_t limit) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    // A byte that is not a continuation byte starts a character.
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (characters == limit) return std::string(text.substr(0, i)) + "...";
    ++characters;
  }
  return std::string(text);
}

}  // namespace kelda::product
