// Hand-built nodes: values made by constructors and the with*() helpers rather than by the
// reader. Each owns its text or its children, keeps its payload outside its header (flag
// kExternal) and holds the Ref that values made from it point at (`self`). Containers take
// their children apart without recursion when they die, so a hand-built chain of any depth is
// freed safely.
// A SegmentedArrayNode is the array Value::concatenated makes: it shares its operands' element
// tables instead of copying them.
#pragma once

#include <string>
#include <vector>

#include "json/Node.hpp"

namespace kelda::json {

struct TextNode : ExternalNode {
  explicit TextNode(Type t, std::string s);
  std::string storage;
  Ref self;
};

struct ArrayNode : ExternalNode {
  explicit ArrayNode(std::vector<Value> items);
  ~ArrayNode();
  ArrayNode(const ArrayNode&) = delete;
  ArrayNode& operator=(const ArrayNode&) = delete;

  std::vector<Value> values;
  std::vector<Ref> refs;  // the values' Refs: the table the codec reads
  Ref self;
};

struct SegmentedArrayNode : Node {
  // `parts` are non-empty arrays of the flat layout (never segmented themselves), in order.
  explicit SegmentedArrayNode(std::vector<Value> parts);
  ~SegmentedArrayNode();
  SegmentedArrayNode(const SegmentedArrayNode&) = delete;
  SegmentedArrayNode& operator=(const SegmentedArrayNode&) = delete;

  // Element i (< size), found by binary search over the segment starts.
  Value valueAt(std::size_t i) const;
  const Ref& itemAt(std::size_t i) const;

  std::vector<Value> segments;
  std::vector<std::size_t> starts;  // index of each segment's first element in the whole array
  Ref self;

 private:
  std::size_t segmentOf(std::size_t i) const;
};

struct ObjectNode : ExternalNode {
  // Members in order; a repeated key keeps its first position and takes the last value.
  explicit ObjectNode(std::vector<Member> members);
  ~ObjectNode();
  ObjectNode(const ObjectNode&) = delete;
  ObjectNode& operator=(const ObjectNode&) = delete;

  std::vector<std::string> keys;
  std::vector<Value> values;
  std::vector<ExternalNode> keyNodes;  // the texts of the keys that are too long to be inline
  std::vector<Entry> entries;          // the table the codec reads
  Ref self;
};

}  // namespace kelda::json
