// Internal layout of json::Value.
//
// A value is reached through a Ref: one 8-byte word that either holds a short value itself
// (null, true, false, or a string or number of at most 7 bytes) or points at a Node. A Node is
// an 8-byte header (type, flags, size) followed by its payload: the bytes of a longer text, the
// element Refs of an array, or the members (key Ref, value Ref) of an object. A parsed
// document lays its nodes and tables out in its Arena in that compact form, so a small element
// of an array costs 8 bytes and no node at all.
//
// Hand-built nodes (Value constructors, with(), appended()) are separate heap objects whose
// payload lives elsewhere (flag kExternal) and which own their children (flag kBuilt). Arrays
// made by Value::concatenated keep shared segments instead of a table (flag kSegmented) and are
// read through arrayItem().
//
// Nothing here is mutated after construction, so any thread may read it. A Ref that holds its
// text inline gives a view into itself: read texts from the Ref where it is stored, never from
// a temporary copy.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "json/Value.hpp"

namespace kelda::json {

static_assert(std::endian::native == std::endian::little, "inline texts sit in bytes 1 to 7");

struct Node;

class Value::Ref {
 public:
  // The longest string or number text held inline.
  static constexpr std::size_t kInlineMax = 7;

  // The absent value (what a missing element of a hand-built container holds).
  constexpr Ref() = default;

  static Ref to(const Node* node) { return Ref(reinterpret_cast<std::uintptr_t>(node)); }
  static constexpr Ref literal(Type type, bool flag = false) {
    return Ref(kInline | std::uint64_t(type) << kTypeShift | (flag ? kFlag : 0));
  }
  // A string or number of at most kInlineMax bytes.
  static Ref inlineText(Type type, const char* text, std::size_t size) {
    std::uint64_t word = kInline | std::uint64_t(type) << kTypeShift | size << kSizeShift;
    Ref ref(word);
    std::memcpy(reinterpret_cast<char*>(&ref.word_) + 1, text, size);
    return ref;
  }

  // The same, read with one 8-byte load: `text` must have 8 readable bytes.
  static Ref inlineTextFrom8(Type type, const char* text, std::size_t size) {
    std::uint64_t chars;
    std::memcpy(&chars, text, 8);
    chars &= (std::uint64_t(1) << (8 * size)) - 1;
    return Ref(kInline | std::uint64_t(type) << kTypeShift | size << kSizeShift | chars << 8);
  }

  bool isAbsent() const { return word_ == 0; }
  bool isInline() const { return (word_ & kInline) != 0; }
  // The node of a Ref that is neither absent nor inline.
  const Node* node() const { return reinterpret_cast<const Node*>(word_); }
  // Equal words mean equal values. Within one parsed document the keys of objects also have
  // equal words whenever their texts are equal (see KeyTable).
  std::uint64_t word() const { return word_; }

  inline Type type() const;
  inline bool boolean() const;
  // Text of a string or number (a view into this Ref when inline).
  inline std::string_view text() const;

 private:
  static constexpr std::uint64_t kInline = 1;
  static constexpr unsigned kTypeShift = 1;  // 3 bits
  static constexpr unsigned kSizeShift = 4;  // 3 bits
  static constexpr std::uint64_t kFlag = 0x80;

  explicit constexpr Ref(std::uint64_t word) : word_(word) {}
  std::uint64_t word_ = 0;
};

using Ref = Value::Ref;

// One member of an object.
struct Entry {
  Ref key;
  Ref value;
};

struct alignas(8) Node {
  // Flags.
  static constexpr unsigned kBuilt = 1;      // hand-built: owns its children, texts unchecked
  static constexpr unsigned kExternal = 2;   // payload reached through ExternalNode::payload
  static constexpr unsigned kSegmented = 4;  // a SegmentedArrayNode: no table, use arrayItem()

  // Type in bits 0-7, flags in bits 8-15, size (below 2^48) from bit 16 on.
  static constexpr std::uint64_t header(Type type, std::size_t size, unsigned flags = 0) {
    return std::uint64_t(type) | std::uint64_t(flags) << 8 | std::uint64_t(size) << 16;
  }

  Type type() const { return Type(bits & 0xFF); }
  unsigned flags() const { return unsigned(bits >> 8) & 0xFF; }
  bool has(unsigned flag) const { return (flags() & flag) != 0; }
  // Text length, or number of elements or members.
  std::size_t size() const { return std::size_t(bits >> 16); }

  inline const std::byte* payload() const;
  std::string_view text() const { return {reinterpret_cast<const char*>(payload()), size()}; }
  const Ref* items() const { return reinterpret_cast<const Ref*>(payload()); }
  const Entry* members() const { return reinterpret_cast<const Entry*>(payload()); }

  std::uint64_t bits = 0;
};

// A node whose payload is stored elsewhere.
struct ExternalNode : Node {
  const void* payload = nullptr;
};

inline const std::byte* Node::payload() const {
  if (has(kExternal))
    return static_cast<const std::byte*>(static_cast<const ExternalNode*>(this)->payload);
  return reinterpret_cast<const std::byte*>(this + 1);
}

inline Type Ref::type() const {
  if (isInline()) return Type((word_ >> kTypeShift) & 7);
  return word_ == 0 ? Type::Absent : node()->type();
}

inline bool Ref::boolean() const {
  return isInline() && (word_ & kFlag) != 0;
}

inline std::string_view Ref::text() const {
  if (isInline()) {
    return {reinterpret_cast<const char*>(&word_) + 1, std::size_t(word_ >> kSizeShift) & 7};
  }
  return node()->text();
}

// Element i (< size) of an array node of either layout.
const Ref& segmentedItem(const Node* array, std::size_t i);
inline const Ref& arrayItem(const Node* array, std::size_t i) {
  return array->has(Node::kSegmented) ? segmentedItem(array, i) : array->items()[i];
}

// The Refs of null, true and false, for values made by hand.
inline constexpr Ref kNullRef = Ref::literal(Type::Null);
inline constexpr Ref kTrueRef = Ref::literal(Type::Boolean, true);
inline constexpr Ref kFalseRef = Ref::literal(Type::Boolean, false);

// Shared empty containers (constant, never freed).
inline constinit const Node kEmptyArray{Node::header(Type::Array, 0)};
inline constinit const Node kEmptyObject{Node::header(Type::Object, 0)};

// Access to Value's private Ref pointer for the codec's own code.
struct ValueAccess {
  static Value make(std::shared_ptr<const Ref> ref) { return Value(std::move(ref)); }
  static const std::shared_ptr<const Ref>& ptr(const Value& v) { return v.ref_; }
  // The value's Ref, or null for the absent value.
  static const Ref* ref(const Value& v) { return v.ref_.get(); }
  // A value for a Ref inside the document or node that `owner` belongs to.
  static Value child(const Value& owner, const Ref& ref);
};

}  // namespace kelda::json
