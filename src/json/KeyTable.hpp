// KeyTable: the long object keys of the document being read, each stored once.
//
// Answers repeat the same keys in every element, so the reader makes one node per distinct key
// text and shares it. That also makes a key's Ref its identity within a document: two keys are
// equal exactly when their words are (short keys are held inline). Hashing is seeded per
// process, so no fixed set of keys collides in every run. Single-threaded.
#pragma once

#include <cstddef>
#include <cstdint>
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

class KeyTable {
 public:
  KeyTable() = default;
  KeyTable(const KeyTable&) = delete;
  KeyTable& operator=(const KeyTable&) = delete;

  // Starts a new document: forgets every key (the nodes belong to the previous document's
  // arena), and gives back a table that one large document made large.
  void clear();

  // The Ref of the key `text` (longer than Ref::kInlineMax), made in `arena` on first use.
  Ref intern(std::string_view text, Arena& arena);

 private:
  std::size_t slotOf(std::string_view text) const;
  void grow();

  std::unique_ptr<Ref[]> slots_;
  std::size_t capacity_ = 0;  // a power of two, or 0
  std::size_t count_ = 0;
};

}  // namespace kelda::json
