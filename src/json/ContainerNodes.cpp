#include "json/ContainerNodes.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "json/KeyTable.hpp"

namespace kelda::json {

namespace {

// The reader makes keys through one KeyTable: equal keys have equal words.
bool sameKey(const Ref& a, const Ref& b) {
  return a.word() == b.word();
}

// The payload of a node just made by newNode.
template <class T>
T* payloadOf(Node* node) {
  return reinterpret_cast<T*>(node + 1);
}

Ref objectOf(Arena& arena, const Entry* members, std::size_t count) {
  Node* node = newNode(arena, Type::Object, count, count * sizeof(Entry));
  std::memcpy(static_cast<void*>(payloadOf<Entry>(node)), members, count * sizeof(Entry));
  return Ref::to(node);
}

// Member i's key and value are at(2i) and at(2i + 1).
template <class At>
Ref mergeSmall(Arena& arena, At at, std::size_t count) {
  Entry merged[kSmallObject];
  std::uint64_t seen = 0;
  std::size_t unique = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const Ref& key = at(2 * i);
    std::uint64_t bit = keyFilterBit(key);
    std::size_t position = unique;
    if ((seen & bit) != 0) {
      position = 0;
      while (position < unique && !sameKey(merged[position].key, key)) ++position;
    }
    seen |= bit;
    if (position == unique) merged[unique++].key = key;
    merged[position].value = at(2 * i + 1);
  }
  return objectOf(arena, merged, unique);
}

// Member indices are 32-bit: an object has fewer than 2^32 members in any text under 20 GB.
template <class At>
Ref mergeLarge(Arena& arena, At at, std::size_t count) {
  // Open addressing over the first occurrence of each key, at most half full.
  constexpr std::uint32_t kEmpty = UINT32_MAX;
  std::size_t capacity = 64;
  while (capacity < 2 * count) capacity *= 2;
  auto slots = std::make_unique_for_overwrite<std::uint32_t[]>(capacity);
  std::fill_n(slots.get(), capacity, kEmpty);
  auto positionOf = std::make_unique_for_overwrite<std::uint32_t[]>(count);
  std::uint64_t seed = processHashSeed();
  std::uint32_t unique = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const Ref& key = at(2 * i);
    std::size_t slot = mixBits(key.word() ^ seed) & (capacity - 1);
    while (slots[slot] != kEmpty && !sameKey(at(2 * std::size_t(slots[slot])), key)) {
      slot = (slot + 1) & (capacity - 1);
    }
    if (slots[slot] == kEmpty) {
      slots[slot] = std::uint32_t(i);
      positionOf[i] = unique++;
    } else {
      positionOf[i] = positionOf[slots[slot]];
    }
  }
  slots.reset();
  Node* node = newNode(arena, Type::Object, unique, unique * sizeof(Entry));
  auto* members = payloadOf<Entry>(node);
  std::uint32_t next = 0;
  for (std::size_t i = 0; i < count; ++i) {
    std::uint32_t position = positionOf[i];
    if (position == next) {
      members[next++].key = at(2 * i);
    }
    members[position].value = at(2 * i + 1);
  }
  return Ref::to(node);
}

template <class At>
Ref merge(Arena& arena, At at, std::size_t count) {
  return count <= kSmallObject ? mergeSmall(arena, at, count) : mergeLarge(arena, at, count);
}

}  // namespace

Node* newNode(Arena& arena, Type type, std::size_t size, std::size_t payloadBytes) {
  void* place = arena.allocate(sizeof(Node) + payloadBytes, alignof(Node));
  return new (place) Node{Node::header(type, size)};
}

Ref makeArray(Arena& arena, const RefStack& stack, std::size_t from) {
  std::size_t count = stack.size() - from;
  if (count == 0) return Ref::to(&kEmptyArray);
  Node* node = newNode(arena, Type::Array, count, count * sizeof(Ref));
  stack.copyOut(from, payloadOf<Ref>(node));
  return Ref::to(node);
}

Ref makeObject(Arena& arena, const RefStack& stack, std::size_t from, bool mayRepeat) {
  std::size_t count = (stack.size() - from) / 2;
  if (count == 0) return Ref::to(&kEmptyObject);
  if (!mayRepeat) {
    Node* node = newNode(arena, Type::Object, count, count * sizeof(Entry));
    stack.copyOut(from, reinterpret_cast<Ref*>(payloadOf<Entry>(node)));
    return Ref::to(node);
  }
  if (const Ref* refs = stack.contiguous(from)) {
    return merge(
        arena, [refs](std::size_t i) -> const Ref& { return refs[i]; }, count);
  }
  return merge(
      arena, [&stack, from](std::size_t i) -> const Ref& { return stack[from + i]; }, count);
}

}  // namespace kelda::json
