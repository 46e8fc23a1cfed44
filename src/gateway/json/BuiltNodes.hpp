// Hand-built nodes: values made by constructors and the with*() helpers rather than by the
// reader. Each owns its text or its children; containers take their children apart without
// recursion when they die, so a hand-built chain of any depth is freed safely.
#pragma once

#include <string>
#include <vector>

#include "gateway/json/Node.hpp"

namespace kelda::json {

struct TextNode : Node {
  explicit TextNode(Type t, std::string s);
  std::string storage;
};

struct ArrayNode : Node {
  explicit ArrayNode(std::vector<Value> items);
  ~ArrayNode();
  ArrayNode(const ArrayNode&) = delete;
  ArrayNode& operator=(const ArrayNode&) = delete;

  std::vector<Value> values;
  std::vector<const Node*> pointers;
};

struct ObjectNode : Node {
  // Members in order; a repeated key keeps its first position and takes the last value.
  explicit ObjectNode(std::vector<Member> members);
  ~ObjectNode();
  ObjectNode(const ObjectNode&) = delete;
  ObjectNode& operator=(const ObjectNode&) = delete;

  std::vector<std::string> keys;
  std::vector<Value> values;
  std::vector<Entry> entries;
};

}  // namespace kelda::json
