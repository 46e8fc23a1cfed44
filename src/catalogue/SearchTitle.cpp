#include "catalogue/SearchTitle.hpp"

#include <cstddef>

namespace kelda::catalogue {
namespace {

constexpr std::string_view kPrefix = "Search for ";
constexpr std::size_t kLongestWhole = 15;
constexpr std::size_t kKeptWhenCut = 14;

bool isContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::size_t characterCount(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) count += isContinuationByte(c) ? 0 : 1;
  return count;
}

// Byte length of the first `n` characters.
std::size_t prefixBytes(std::string_view text, std::size_t n) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!isContinuationByte(text[i]) && seen++ == n) return i;
  }
  return text.size();
}

}  // namespace

std::string searchTitleFor(std::string_view phrase) {
  std::string title = std::string(kPrefix) + std::string(phrase);
  if (characterCount(title) <= kLongestWhole) return title;
  return title.substr(0, prefixBytes(title, kKeptWhenCut)) + "...";
}

std::string phraseFromSearchTitle(std::string_view title) {
  if (title.starts_with(kPrefix)) title.remove_prefix(kPrefix.size());
  return std::string(title);
}

}  // namespace kelda::catalogue
