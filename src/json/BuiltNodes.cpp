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
    if (!ptr || ptr->isInline() || !ptr->node()->has(Node::kBuilt) || ptr.use_count() != 1) {
      continue;
    }
    // Sole owner: nobody else can reach this node, so emptying it is safe.
    auto* node = const_cast<Node*>(ptr->node());
    std::vector<Value>* children = nullptr;
    if (node->has(Node::kSegmented)) {
      children = &static_cast<SegmentedArrayNode*>(node)->segments;
    } else if (node->type() == Type::Array) {
      children = &static_cast<ArrayNode*>(node)->values;
    } else if (node->type() == Type::Object) {
      children = &static_cast<ObjectNode*>(node)->values;
    }
    if (children == nullptr) continue;
    for (auto& child : *children) pending.push_back(std::move(child));
    children->clear();
  }
}

Ref refOf(const Value& v) {
  const Ref* ref = ValueAccess::ref(v);
  return ref != nullptr ? *ref : Ref();
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
  bits = header(t, storage.size(), kBuilt | kExternal);
  payload = storage.data();
  self = Ref::to(this);
}

ArrayNode::ArrayNode(std::vector<Value> items) : values(std::move(items)) {
  bits = header(Type::Array, values.size(), kBuilt | kExternal);
  refs.reserve(values.size());
  for (const auto& v : values) refs.push_back(refOf(v));
  payload = refs.data();
  self = Ref::to(this);
}

ArrayNode::~ArrayNode() {
  dismantle(std::move(values));
}

SegmentedArrayNode::SegmentedArrayNode(std::vector<Value> parts) : segments(std::move(parts)) {
  std::size_t size = 0;
  starts.reserve(segments.size());
  for (const auto& segment : segments) {
    starts.push_back(size);
    size += segment.size();
  }
  bits = header(Type::Array, size, kBuilt | kSegmented);
  self = Ref::to(this);
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

const Ref& SegmentedArrayNode::itemAt(std::size_t i) const {
  std::size_t k = segmentOf(i);
  return ValueAccess::ref(segments[k])->node()->items()[i - starts[k]];
}

const Ref& segmentedItem(const Node* array, std::size_t i) {
  return static_cast<const SegmentedArrayNode*>(array)->itemAt(i);
}

ObjectNode::ObjectNode(std::vector<Member> members) {
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
  keyNodes.reserve(keys.size());
  entries.reserve(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const std::string& key = keys[i];
    Ref keyRef;
    if (key.size() <= Ref::kInlineMax) {
      keyRef = Ref::inlineText(Type::String, key.data(), key.size());
    } else {
      ExternalNode& text = keyNodes.emplace_back();
      text.bits = header(Type::String, key.size(), kBuilt | kExternal);
      text.payload = key.data();
      keyRef = Ref::to(&text);
    }
    entries.push_back({keyRef, refOf(values[i])});
  }
  bits = header(Type::Object, entries.size(), kBuilt | kExternal);
  payload = entries.data();
  self = Ref::to(this);
}

ObjectNode::~ObjectNode() {
  dismantle(std::move(values));
}

}  // namespace kelda::json
