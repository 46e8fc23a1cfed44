#include "json/BuiltNodes.hpp"

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace kelda::json {

namespace {

// Frees a set of children iteratively: a child that only we still hold gives its own children
// to the pending list before it dies, so destruction never nests.
void dismantle(std::vector<Value>&& start) {
  std::vector<Value> pending = std::move(start);
  while (!pending.empty()) {
    Value v = std::move(pending.back());
    pending.pop_back();
    const auto& ptr = ValueAccess::ptr(v);
    if (!ptr || !ptr->built || ptr.use_count() != 1) continue;
    // Sole owner: nobody else can reach this node, so emptying it is safe.
    auto* node = const_cast<Node*>(ptr.get());
    std::vector<Value>* children = nullptr;
    if (node->segmented) {
      children = &static_cast<SegmentedArrayNode*>(node)->segments;
    } else if (node->type == Type::Array) {
      children = &static_cast<ArrayNode*>(node)->values;
    } else if (node->type == Type::Object) {
      children = &static_cast<ObjectNode*>(node)->values;
    }
    if (children == nullptr) continue;
    for (auto& child : *children) pending.push_back(std::move(child));
    children->clear();
  }
}

// Index of `key` among the first `count` keys, or count.
std::size_t findKey(const std::vector<std::string>& keys, std::size_t count, std::string_view key) {
  for (std::size_t i = 0; i < count; ++i) {
    if (keys[i] == key) return i;
  }
  return count;
}

}  // namespace

TextNode::TextNode(Type t, std::string s) : storage(std::move(s)) {
  type = t;
  built = true;
  data = storage.data();
  size = storage.size();
}

ArrayNode::ArrayNode(std::vector<Value> items) : values(std::move(items)) {
  type = Type::Array;
  built = true;
  pointers.reserve(values.size());
  for (const auto& v : values) pointers.push_back(ValueAccess::node(v));
  this->items = pointers.data();
  size = pointers.size();
}

ArrayNode::~ArrayNode() {
  dismantle(std::move(values));
}

SegmentedArrayNode::SegmentedArrayNode(std::vector<Value> parts) : segments(std::move(parts)) {
  type = Type::Array;
  built = true;
  segmented = true;
  items = nullptr;
  starts.reserve(segments.size());
  for (const auto& segment : segments) {
    starts.push_back(size);
    size += segment.size();
  }
}

SegmentedArrayNode::~SegmentedArrayNode() {
  dismantle(std::move(segments));
}

std::size_t SegmentedArrayNode::segmentOf(std::size_t i) const {
  auto after = std::upper_bound(starts.begin(), starts.end(), i);
  return static_cast<std::size_t>(after - starts.begin()) - 1;
}

Value SegmentedArrayNode::valueAt(std::size_t i) const {
  std::size_t k = segmentOf(i);
  return segments[k].valueAt(i - starts[k]);
}

const Node* SegmentedArrayNode::itemAt(std::size_t i) const {
  std::size_t k = segmentOf(i);
  return ValueAccess::node(segments[k])->items[i - starts[k]];
}

const Node* segmentedItem(const Node* array, std::size_t i) {
  return static_cast<const SegmentedArrayNode*>(array)->itemAt(i);
}

ObjectNode::ObjectNode(std::vector<Member> members) {
  type = Type::Object;
  built = true;
  keys.reserve(members.size());
  values.reserve(members.size());
  constexpr std::size_t kLinearLimit = 16;
  std::unordered_map<std::string, std::size_t> index;
  for (auto& [key, value] : members) {
    std::size_t at = keys.size();
    if (members.size() <= kLinearLimit) {
      at = findKey(keys, keys.size(), key);
    } else if (auto it = index.find(key); it != index.end()) {
      at = it->second;
    } else {
      index.emplace(key, keys.size());
    }
    if (at < keys.size()) {
      values[at] = std::move(value);
    } else {
      keys.push_back(std::move(key));
      values.push_back(std::move(value));
    }
  }
  entries.reserve(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    entries.push_back({keys[i], ValueAccess::node(values[i])});
  }
  this->members = entries.data();
  size = entries.size();
}

ObjectNode::~ObjectNode() {
  dismantle(std::move(values));
}

}  // namespace kelda::json
