// Block scanning for the plain runs of JSON strings: sixteen bytes at a time with SSE2 where
// the processor has it, else eight at a time in a 64-bit word. Stateless; any thread.
#pragma once

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kelda::json::swar {

// Advances `p` over bytes that are printable ASCII other than '"' and '\\'. Stops at the first
// other byte, or where fewer than one block remains (the caller finishes byte by byte).
inline const unsigned char* skipPlainBlocks(const unsigned char* p, const unsigned char* end) {
#if defined(__SSE2__)
  const __m128i quote = _mm_set1_epi8('"');
  const __m128i backslash = _mm_set1_epi8('\\');
  const __m128i space = _mm_set1_epi8(0x20);
  while (end - p >= 16) {
    __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    // Signed compare: bytes below 0x20 and bytes from 0x80 up both count as "less than".
    __m128i special =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(x, quote), _mm_cmpeq_epi8(x, backslash)),
                     _mm_cmplt_epi8(x, space));
    int mask = _mm_movemask_epi8(special);
    if (mask != 0) return p + __builtin_ctz(static_cast<unsigned>(mask));
    p += 16;
  }
#endif
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
  constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
  while (end - p >= 8) {
    std::uint64_t x;
    std::memcpy(&x, p, 8);
    std::uint64_t q = x ^ (kOnes * '"');
    std::uint64_t b = x ^ (kOnes * '\\');
    // Flags a byte that is zero after the xor, below 0x20, or has its top bit set.
    std::uint64_t special = ((q - kOnes) & ~q) | ((b - kOnes) & ~b) | ((x - kOnes * 0x20) & ~x) | x;
    if ((special & kHigh) != 0) break;
    p += 8;
  }
  return p;
}

}  // namespace kelda::json::swar
