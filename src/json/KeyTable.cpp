#include "json/KeyTable.hpp"

#include <algorithm>
#include <cstring>
#include <random>

#include "json/ContainerNodes.hpp"

namespace kelda::json {

namespace {

constexpr std::size_t kFirstCapacity = 64;
constexpr std::size_t kKeepCapacity = 4096;

std::uint64_t load8(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, 8);
  return word;
}

__extension__ typedef unsigned __int128 Uint128;

// The 128-bit product of `a` and `b`, folded to 64 bits.
std::uint64_t foldedMultiply(std::uint64_t a, std::uint64_t b) {
  Uint128 product = static_cast<Uint128>(a) * b;
  return std::uint64_t(product) ^ std::uint64_t(product >> 64);
}

// Keys here are longer than 7 bytes: the last eight bytes are read as one word (overlapping
// the one before), so no load is of variable length. Each pair of words is multiplied after
// mixing in the seed, so which keys collide depends on the seed.
std::uint64_t hashText(std::string_view text, std::uint64_t seed) {
  constexpr std::uint64_t kOdd = 0x9E3779B97F4A7C15ULL;
  const char* p = text.data();
  std::size_t size = text.size();
  std::uint64_t h = seed ^ size;
  std::size_t i = 0;
  for (; i + 16 < size; i += 16) h = foldedMultiply(load8(p + i) ^ h, load8(p + i + 8) ^ kOdd);
  std::uint64_t a = i + 8 < size ? load8(p + i) : load8(p + size - 8) ^ kOdd;
  return foldedMultiply(a ^ h, load8(p + size - 8) ^ seed ^ kOdd);
}

bool sameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (a.size() > 16) return std::memcmp(a.data(), b.data(), a.size()) == 0;
  std::size_t last = a.size() - 8;
  return load8(a.data()) == load8(b.data()) && load8(a.data() + last) == load8(b.data() + last);
}

}  // namespace

std::uint64_t processHashSeed() {
  static const std::uint64_t seed = [] {
    std::random_device device;
    return (std::uint64_t(device()) << 32) ^ device();
  }();
  return seed;
}

void KeyTable::clear() {
  if (capacity_ > kKeepCapacity) {
    slots_.reset();
    capacity_ = 0;
  } else if (count_ != 0) {
    std::fill_n(slots_.get(), capacity_, Ref());
  }
  count_ = 0;
}

// The slot holding `text`, or the empty slot where it belongs.
std::size_t KeyTable::slotOf(std::string_view text) const {
  static const std::uint64_t seed = processHashSeed();
  std::size_t mask = capacity_ - 1;
  std::size_t slot = hashText(text, seed) & mask;
  while (!slots_[slot].isAbsent() && !sameText(slots_[slot].node()->text(), text)) {
    slot = (slot + 1) & mask;
  }
  return slot;
}

Ref KeyTable::intern(std::string_view text, Arena& arena) {
  if (2 * (count_ + 1) > capacity_) grow();
  std::size_t slot = slotOf(text);
  if (slots_[slot].isAbsent()) {
    Node* node = newNode(arena, Type::String, text.size(), text.size());
    std::memcpy(node + 1, text.data(), text.size());
    slots_[slot] = Ref::to(node);
    ++count_;
  }
  return slots_[slot];
}

void KeyTable::grow() {
  std::unique_ptr<Ref[]> old = std::move(slots_);
  std::size_t oldCapacity = capacity_;
  capacity_ = std::max(kFirstCapacity, 2 * capacity_);
  slots_ = std::make_unique<Ref[]>(capacity_);
  for (std::size_t i = 0; i < oldCapacity; ++i) {
    if (!old[i].isAbsent()) slots_[slotOf(old[i].node()->text())] = old[i];
  }
}

}  // namespace kelda::json
