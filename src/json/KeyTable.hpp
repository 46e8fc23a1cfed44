// KeyTable: the long object keys of the document being read, each stored once.
//
// Answers repeat the same keys in every element, so the reader makes one node per distinct key
// text and shares it. That also makes a key's Ref its identity within a document: two keys are
// equal exactly when their words are (short keys are held inline). Hashing is seeded per
// process, so no fixed set of keys collides in every run. Single-threaded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "json/Arena.hpp"
#include "json/Node.hpp"

namespace kelda::json {

// Mixes the bits of `x` (the finaliser of SplitMix64).
inline std::uint64_t mixBits(std::uint64_t x) {
  x ^= x >> 30;
  x *= 0xBF58476D1CE4E5B9ULL;
  x ^= x >> 27;
  x *= 0x94D049BB133111EBULL;
  return x ^ (x >> 31);
}

// A random value chosen once per process.
std::uint64_t processHashSeed();

namespace keyhash {

inline std::uint64_t load8(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, 8);
  return word;
}

__extension__ typedef unsigned __int128 Uint128;

// The 128-bit product of `a` and `b`, folded to 64 bits.
inline std::uint64_t foldedMultiply(std::uint64_t a, std::uint64_t b) {
  Uint128 product = static_cast<Uint128>(a) * b;
  return std::uint64_t(product) ^ std::uint64_t(product >> 64);
}

// Hash of a text of at least 8 bytes: the last eight bytes are read as one word (overlapping the
// one before), so no load is of variable length. Each pair of words is multiplied after mixing
// in the seed, so which texts collide depends on the seed.
inline std::uint64_t hashText(std::string_view text, std::uint64_t seed) {
  constexpr std::uint64_t kOdd = 0x9E3779B97F4A7C15ULL;
  const char* p = text.data();
  std::size_t size = text.size();
  std::uint64_t h = seed ^ size;
  std::size_t i = 0;
  for (; i + 16 < size; i += 16) h = foldedMultiply(load8(p + i) ^ h, load8(p + i + 8) ^ kOdd);
  std::uint64_t a = i + 8 < size ? load8(p + i) : load8(p + size - 8) ^ kOdd;
  return foldedMultiply(a ^ h, load8(p + size - 8) ^ seed ^ kOdd);
}

// Equality of two texts of at least 8 bytes.
inline bool sameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (a.size() > 16) return std::memcmp(a.data(), b.data(), a.size()) == 0;
  std::size_t last = a.size() - 8;
  return load8(a.data()) == load8(b.data()) && load8(a.data() + last) == load8(b.data() + last);
}

}  // namespace keyhash

class KeyTable {
 public:
  KeyTable() : seed_(processHashSeed()) {}
  KeyTable(const KeyTable&) = delete;
  KeyTable& operator=(const KeyTable&) = delete;

  // Starts a new document: forgets every key (the nodes belong to the previous document's
  // arena), and gives back a table that one large document made large.
  void clear();

  // The Ref of the key `text` (longer than Ref::kInlineMax), made in `arena` on first use.
  Ref intern(std::string_view text, Arena& arena) {
    if (2 * (count_ + 1) > capacity_) grow();
    std::size_t slot = slotOf(text);
    return slots_[slot].isAbsent() ? add(slot, text, arena) : slots_[slot];
  }

 private:
  // The slot holding `text`, or the empty slot where it belongs.
  std::size_t slotOf(std::string_view text) const {
    std::size_t mask = capacity_ - 1;
    std::size_t slot = keyhash::hashText(text, seed_) & mask;
    while (!slots_[slot].isAbsent() && !keyhash::sameText(slots_[slot].node()->text(), text)) {
      slot = (slot + 1) & mask;
    }
    return slot;
  }
  Ref add(std::size_t slot, std::string_view text, Arena& arena);
  void grow();

  std::uint64_t seed_;
  std::unique_ptr<Ref[]> slots_;
  std::size_t capacity_ = 0;  // a power of two, or 0
  std::size_t count_ = 0;
};

}  // namespace kelda::json
