// The container nodes of a parsed document: built in the document's arena from the finished
// elements or members that the reader has on its RefStack. Single-threaded while reading.
#pragma once

#include <cstddef>
#include <cstdint>

#include "json/Arena.hpp"
#include "json/Node.hpp"
#include "json/RefStack.hpp"

namespace kelda::json {

// A node of `type` with `payloadBytes` bytes of payload after its header.
Node* newNode(Arena& arena, Type type, std::size_t size, std::size_t payloadBytes);

// The array of the Refs on `stack` from `from` to the top.
Ref makeArray(Arena& arena, const RefStack& stack, std::size_t from);

// Objects up to this size find repeated keys by a 64-bit filter and a linear search; larger
// ones through a hash index.
inline constexpr std::size_t kSmallObject = 32;

// The object of the members on `stack` from `from` to the top (key and value Refs in turn, keys
// made by one KeyTable, so that equal keys have equal words). A repeated key keeps its first
// position and takes the last value; `mayRepeat` false promises that no key repeats.
Ref makeObject(Arena& arena, const RefStack& stack, std::size_t from, bool mayRepeat);

// One of 64 bits, the same for equal keys.
inline std::uint64_t keyFilterBit(const Ref& key) {
  return std::uint64_t(1) << ((key.word() * 0x9E3779B97F4A7C15ULL) >> 58);
}

}  // namespace kelda::json
