#include "json/KeyTable.hpp"

#include <algorithm>
#include <cstring>
#include <random>

#include "json/ContainerNodes.hpp"

namespace kelda::json {

namespace {

constexpr std::size_t kFirstCapacity = 64;
constexpr std::size_t kKeepCapacity = 4096;

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

Ref KeyTable::add(std::size_t slot, std::string_view text, Arena& arena) {
  Node* node = newNode(arena, Type::String, text.size(), text.size());
  std::memcpy(node + 1, text.data(), text.size());
  slots_[slot] = Ref::to(node);
  ++count_;
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
