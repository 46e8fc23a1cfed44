// Internal layout of json::Value. A value points at one immutable Node.
//
// Nodes of a parsed document live in the document's Arena and are reached through aliasing
// shared_ptrs that share ownership of the whole document; nodes built by hand (Value
// constructors, with(), appended()) are separate heap objects that own their children.
// Arrays made by Value::concatenated are SegmentedArrayNodes: they keep shared segments instead
// of an items table, so their elements are read through arrayItem().
// Nothing here is mutated after construction, so nodes may be read from any thread.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "json/Value.hpp"

namespace kelda::json {

// One member of an object: key and value (a null value pointer means the absent value).
struct Entry {
  std::string_view key;
  const Value::Node* value;
};

struct Value::Node {
  Type type = Type::Null;
  bool boolean = false;
  bool built = false;      // a hand-built ArrayNode/ObjectNode/TextNode, not in an arena
  bool segmented = false;  // a SegmentedArrayNode: `items` is null, use arrayItem()
  std::size_t size = 0;    // text length, or number of elements or members
  union {
    const char* data = nullptr;  // text of a string or a number
    const Node* const* items;    // elements of an array
    const Entry* members;        // members of an object
  };

  std::string_view text() const { return {data, size}; }
};

using Node = Value::Node;

// Element i (< size) of an array node of either layout.
const Node* segmentedItem(const Node* array, std::size_t i);
inline const Node* arrayItem(const Node* array, std::size_t i) {
  return array->segmented ? segmentedItem(array, i) : array->items[i];
}

// Shared nodes for null, true and false (constant, never freed).
constexpr Node makeFixedNode(Type type, bool flag) {
  Node n;
  n.type = type;
  n.boolean = flag;
  return n;
}
inline constinit const Node kNullNode = makeFixedNode(Type::Null, false);
inline constinit const Node kTrueNode = makeFixedNode(Type::Boolean, true);
inline constinit const Node kFalseNode = makeFixedNode(Type::Boolean, false);
inline const Node* nullNode() {
  return &kNullNode;
}
inline const Node* boolNode(bool value) {
  return value ? &kTrueNode : &kFalseNode;
}

// Access to Value's private node pointer for the codec's own code.
struct ValueAccess {
  static Value make(std::shared_ptr<const Node> node) { return Value(std::move(node)); }
  static const std::shared_ptr<const Node>& ptr(const Value& v) { return v.node_; }
  static const Node* node(const Value& v) { return v.node_.get(); }
  // A value for a node inside the document that `owner` belongs to.
  static Value child(const Value& owner, const Node* node);
};

}  // namespace kelda::json
