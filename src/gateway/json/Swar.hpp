// Eight-bytes-at-a-time scanning for the plain runs of JSON strings. Stateless; any thread.
#pragma once

#include <cstdint>
#include <cstring>

namespace kelda::json::swar {

// Advances `p` over bytes that are printable ASCII other than '"' and '\\', eight at a time;
// stops at the first block of eight that holds any other byte (or fewer than eight remain).
inline const unsigned char* skipPlainBlocks(const unsigned char* p, const unsigned char* end) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
  constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
  while (end - p >= 8) {
    std::uint64_t x;
    std::memcpy(&x, p, 8);
    std::uint64_t quote = x ^ (kOnes * '"');
    std::uint64_t backslash = x ^ (kOnes * '\\');
    // A byte is flagged when it is zero (after the xor), below 0x20, or has its top bit set.
    std::uint64_t special = ((quote - kOnes) & ~quote) | ((backslash - kOnes) & ~backslash) |
                            ((x - kOnes * 0x20) & ~x) | x;
    if ((special & kHigh) != 0) break;
    p += 8;
  }
  return p;
}

}  // namespace kelda::json::swar
