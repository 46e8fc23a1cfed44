#include "json/Utf8.hpp"

namespace kelda::json::utf8 {

namespace {
bool isContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}
}  // namespace

std::size_t sequenceLength(const unsigned char* p, const unsigned char* end) {
  unsigned char c = p[0];
  std::size_t avail = std::size_t(end - p);
  if (c >= 0xC2 && c <= 0xDF) {
    return avail >= 2 && isContinuation(p[1]) ? 2 : 0;
  }
  if (c >= 0xE0 && c <= 0xEF) {
    if (avail < 3 || !isContinuation(p[1]) || !isContinuation(p[2])) return 0;
    if (c == 0xE0 && p[1] < 0xA0) return 0;   // overlong
    if (c == 0xED && p[1] >= 0xA0) return 0;  // UTF-16 surrogate
    return 3;
  }
  if (c >= 0xF0 && c <= 0xF4) {
    if (avail < 4 || !isContinuation(p[1]) || !isContinuation(p[2]) || !isContinuation(p[3])) {
      return 0;
    }
    if (c == 0xF0 && p[1] < 0x90) return 0;   // overlong
    if (c == 0xF4 && p[1] >= 0x90) return 0;  // above U+10FFFF
    return 4;
  }
  return 0;
}

bool isValid(std::string_view text) {
  auto p = reinterpret_cast<const unsigned char*>(text.data());
  auto end = p + text.size();
  while (p < end) {
    if (*p < 0x80) {
      ++p;
      continue;
    }
    std::size_t n = sequenceLength(p, end);
    if (n == 0) return false;
    p += n;
  }
  return true;
}

}  // namespace kelda::json::utf8
