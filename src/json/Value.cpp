#include "json/Value.hpp"

#include <algorithm>
#include <span>
#include <string>
#include <utility>

#include "json/BuiltNodes.hpp"
#include "json/Node.hpp"
#include "json/NumberText.hpp"

namespace kelda::json {

namespace {

// A non-owning pointer to one of the static Refs.
std::shared_ptr<const Ref> staticPtr(const Ref* ref) {
  return std::shared_ptr<const Ref>(std::shared_ptr<const Ref>(), ref);
}

// A pointer to the Ref of a hand-built node, sharing the node's ownership.
template <class BuiltNode>
std::shared_ptr<const Ref> builtPtr(std::shared_ptr<BuiltNode> node) {
  const Ref* self = &node->self;
  return std::shared_ptr<const Ref>(std::move(node), self);
}

std::shared_ptr<const Ref> textPtr(Type type, std::string text) {
  return builtPtr(std::make_shared<TextNode>(type, std::move(text)));
}

bool isContainer(const Ref& ref) {
  Type type = ref.type();
  return type == Type::Array || type == Type::Object;
}

const Ref& childAt(const Node* n, std::size_t i) {
  return n->type() == Type::Array ? arrayItem(n, i) : n->members()[i].value;
}

// Position of `key` among the members of object `n`, or n->size(). Keys of up to
// Ref::kInlineMax bytes are always held inline, so they compare as one word.
std::size_t findKey(const Node* n, std::string_view key, std::size_t hint = 0) {
  const Entry* members = n->members();
  std::size_t count = n->size();
  if (key.size() <= Ref::kInlineMax) {
    std::uint64_t probe = Ref::inlineText(Type::String, key.data(), key.size()).word();
    if (hint < count && members[hint].key.word() == probe) return hint;
    for (std::size_t i = 0; i < count; ++i) {
      if (members[i].key.word() == probe) return i;
    }
    return count;
  }
  auto matches = [&](const Ref& k) { return !k.isInline() && k.node()->text() == key; };
  if (hint < count && matches(members[hint].key)) return hint;
  for (std::size_t i = 0; i < count; ++i) {
    if (matches(members[i].key)) return i;
  }
  return count;
}

// Plain words print unquoted inside containers, like a property list description.
bool isPlainWord(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s) {
    bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
              c == '_' || c == '.' || static_cast<unsigned char>(c) >= 0x80;
    if (!ok) return false;
  }
  return true;
}

void appendQuotedWord(std::string& out, std::string_view s) {
  if (isPlainWord(s)) {
    out += s;
    return;
  }
  out += '"';
  for (char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  out += '"';
}

void appendScalar(std::string& out, const Ref& ref, bool nested) {
  switch (ref.type()) {
    case Type::Absent:
      out += "(null)";
      break;
    case Type::Null:
      out += "<null>";
      break;
    case Type::Boolean:
      out += ref.boolean() ? "1" : "0";
      break;
    case Type::String:
      if (nested) {
        appendQuotedWord(out, ref.text());
      } else {
        out += ref.text();
      }
      break;
    default:
      out += ref.text();
      break;
  }
}

// Indentation stops growing past a few dozen levels, so deep values stay linear in size.
void indent(std::string& out, std::size_t level) {
  constexpr std::size_t kMaxIndentLevel = 32;
  out.append(std::min(level, kMaxIndentLevel) * 4, ' ');
}

std::string describeContainer(const Node* root) {
  struct Frame {
    const Node* node;
    std::size_t next;
  };
  std::string out;
  std::vector<Frame> stack;
  auto open = [&](const Node* n) {
    if (n->size() == 0) {
      out += n->type() == Type::Array ? "()" : "{}";
      return;
    }
    out += n->type() == Type::Array ? "(\n" : "{\n";
    stack.push_back({n, 0});
  };
  // What follows a finished element: "," between array elements, ";" after an object member.
  auto separate = [&]() {
    if (stack.empty()) return;
    const Frame& parent = stack.back();
    if (parent.node->type() == Type::Array) {
      out += parent.next < parent.node->size() ? ",\n" : "\n";
    } else {
      out += ";\n";
    }
  };
  open(root);
  while (!stack.empty()) {
    Frame& f = stack.back();
    const Node* n = f.node;
    if (f.next == n->size()) {
      stack.pop_back();
      indent(out, stack.size());
      out += n->type() == Type::Array ? ")" : "}";
      separate();
      continue;
    }
    std::size_t i = f.next++;
    indent(out, stack.size());
    if (n->type() == Type::Object) {
      appendQuotedWord(out, n->members()[i].key.text());
      out += " = ";
    }
    const Ref& child = childAt(n, i);
    if (isContainer(child)) {
      open(child.node());
      if (child.node()->size() != 0) continue;
    } else {
      appendScalar(out, child, true);
    }
    separate();
  }
  return out;
}

bool sameScalar(const Ref& a, const Ref& b) {
  switch (a.type()) {
    case Type::Boolean:
      return a.boolean() == b.boolean();
    case Type::String:
    case Type::Number:
      return a.text() == b.text();
    default:
      return true;
  }
}

bool equalRefs(const Ref* a, const Ref* b) {
  std::vector<std::pair<const Ref*, const Ref*>> pending{{a, b}};
  while (!pending.empty()) {
    auto [x, y] = pending.back();
    pending.pop_back();
    if (x == y || x->word() == y->word()) continue;
    Type type = x->type();
    if (type != y->type()) return false;
    if (type != Type::Array && type != Type::Object) {
      if (!sameScalar(*x, *y)) return false;
      continue;
    }
    const Node* xn = x->node();
    const Node* yn = y->node();
    if (xn->size() != yn->size()) return false;
    for (std::size_t i = 0; i < xn->size(); ++i) {
      if (type == Type::Array) {
        pending.emplace_back(&arrayItem(xn, i), &arrayItem(yn, i));
        continue;
      }
      const Entry& member = xn->members()[i];
      std::size_t at = findKey(yn, member.key.text(), i);
      if (at == yn->size()) return false;
      pending.emplace_back(&member.value, &yn->members()[at].value);
    }
  }
  return true;
}

// Bound on the segments of a concatenation; past it the elements are copied into one array.
constexpr std::size_t kMaxSegments = 64;

// The flat arrays `array` is made of (itself unless it is segmented).
void addSegments(std::vector<Value>& segments, const Value& array) {
  const Node* n = ValueAccess::ref(array)->node();
  if (!n->has(Node::kSegmented)) {
    segments.push_back(array);
    return;
  }
  const auto& parts = static_cast<const SegmentedArrayNode*>(n)->segments;
  segments.insert(segments.end(), parts.begin(), parts.end());
}

// One flat array of the elements of `parts`, in order.
Value flattened(std::span<const Value> parts) {
  std::size_t count = 0;
  for (const auto& part : parts) count += part.size();
  std::vector<Value> items;
  items.reserve(count);
  for (const auto& part : parts) {
    for (Value item : part.items()) items.push_back(std::move(item));
  }
  return Value::array(std::move(items));
}

// Merges trailing segments like the digits of a binary counter: while the last segment is at
// least as long as the one before it, the two become one. Each element is so copied O(log n)
// times over any chain of appends (one-element appends included) and a list keeps O(log n)
// segments; the hard bound only catches joins of two long segmented lists.
void balance(std::vector<Value>& segments) {
  while (segments.size() >= 2 && segments[segments.size() - 2].size() <= segments.back().size()) {
    Value merged = flattened(std::span(segments).last(2));
    segments.pop_back();
    segments.back() = std::move(merged);
  }
  if (segments.size() > kMaxSegments) segments = {flattened(segments)};
}

}  // namespace

Value ValueAccess::child(const Value& owner, const Ref& ref) {
  if (ref.isAbsent()) return Value();
  return Value(std::shared_ptr<const Ref>(owner.ref_, &ref));
}

Value::Value(std::nullptr_t) : ref_(staticPtr(&kNullRef)) {}
Value::Value(bool b) : ref_(staticPtr(b ? &kTrueRef : &kFalseRef)) {}
Value::Value(const char* text) {
  if (text != nullptr) ref_ = textPtr(Type::String, text);
}
Value::Value(std::string text) : ref_(textPtr(Type::String, std::move(text))) {}
Value::Value(std::string_view text) : ref_(textPtr(Type::String, std::string(text))) {}
Value::Value(int n) : ref_(textPtr(Type::Number, std::to_string(n))) {}
Value::Value(long n) : ref_(textPtr(Type::Number, std::to_string(n))) {}
Value::Value(long long n) : ref_(textPtr(Type::Number, std::to_string(n))) {}
Value::Value(unsigned n) : ref_(textPtr(Type::Number, std::to_string(n))) {}
Value::Value(unsigned long n) : ref_(textPtr(Type::Number, std::to_string(n))) {}
Value::Value(unsigned long long n) : ref_(textPtr(Type::Number, std::to_string(n))) {}
Value::Value(double d) {
  char buffer[32];
  ref_ = textPtr(Type::Number, std::string(number::formatDouble(d, buffer)));
}

Value Value::numberFromText(std::string text) {
  return Value(textPtr(Type::Number, std::move(text)));
}

Value Value::array(std::vector<Value> items) {
  return Value(builtPtr(std::make_shared<ArrayNode>(std::move(items))));
}

Value Value::object(std::vector<Member> members) {
  return Value(builtPtr(std::make_shared<ObjectNode>(std::move(members))));
}

Value Value::object(std::initializer_list<Member> members) {
  return object(std::vector<Member>(members));
}

Type Value::type() const {
  return ref_ ? ref_->type() : Type::Absent;
}

Value Value::operator[](std::string_view key) const {
  if (!isObject()) return Value();
  std::size_t at = findKey(ref_->node(), key);
  return at < ref_->node()->size() ? valueAt(at) : Value();
}

Value Value::operator[](std::size_t index) const {
  if (!isArray() || index >= ref_->node()->size()) return Value();
  return valueAt(index);
}

Value Value::operator[](int index) const {
  if (index < 0) return Value();
  return (*this)[static_cast<std::size_t>(index)];
}

bool Value::contains(std::string_view key) const {
  return isObject() && findKey(ref_->node(), key) < ref_->node()->size();
}

std::size_t Value::size() const {
  return isArray() || isObject() ? ref_->node()->size() : 0;
}

std::string_view Value::keyAt(std::size_t i) const {
  if (!isObject() || i >= ref_->node()->size()) return {};
  return ref_->node()->members()[i].key.text();
}

Value Value::valueAt(std::size_t i) const {
  if (!(isArray() || isObject())) return Value();
  const Node* n = ref_->node();
  if (i >= n->size()) return Value();
  if (n->has(Node::kSegmented)) return static_cast<const SegmentedArrayNode*>(n)->valueAt(i);
  if (n->has(Node::kBuilt)) {
    return n->type() == Type::Array ? static_cast<const ArrayNode*>(n)->values[i]
                                    : static_cast<const ObjectNode*>(n)->values[i];
  }
  return ValueAccess::child(*this, childAt(n, i));
}

std::string_view Value::text() const {
  return isString() || isNumber() ? ref_->text() : std::string_view();
}

long long Value::intValue() const {
  if (isBool()) return ref_->boolean() ? 1 : 0;
  return number::leadingInteger(text());
}

double Value::doubleValue() const {
  if (isBool()) return ref_->boolean() ? 1.0 : 0.0;
  return number::leadingDouble(text());
}

bool Value::boolValue() const {
  if (isBool()) return ref_->boolean();
  if (isNumber()) return doubleValue() != 0.0;
  if (isString()) return number::leadingTruth(text());
  return false;
}

std::string Value::describe() const {
  if (isArray() || isObject()) return describeContainer(ref_->node());
  std::string out;
  appendScalar(out, ref_ ? *ref_ : Ref(), false);
  return out;
}

Value Value::with(std::string_view key, Value value) const {
  std::vector<Member> members;
  members.reserve(size() + 1);
  for (std::size_t i = 0; isObject() && i < size(); ++i) {
    members.emplace_back(std::string(keyAt(i)), valueAt(i));
  }
  members.emplace_back(std::string(key), std::move(value));  // replaces in place if present
  return object(std::move(members));
}

Value Value::without(std::string_view key) const {
  if (!contains(key)) return *this;
  std::vector<Member> members;
  members.reserve(size());
  for (std::size_t i = 0; i < size(); ++i) {
    if (keyAt(i) != key) members.emplace_back(std::string(keyAt(i)), valueAt(i));
  }
  return object(std::move(members));
}

Value Value::appended(Value value) const {
  std::vector<Value> items;
  items.reserve(size() + 1);
  for (std::size_t i = 0; isArray() && i < size(); ++i) items.push_back(valueAt(i));
  items.push_back(std::move(value));
  return array(std::move(items));
}

Value Value::concatenated(const Value& a, const Value& b) {
  if (b.empty() || !b.isArray()) return a.isArray() ? a : array();
  if (a.empty() || !a.isArray()) return b;
  std::vector<Value> segments;
  addSegments(segments, a);
  addSegments(segments, b);
  balance(segments);
  if (segments.size() == 1) return segments.front();
  return Value(builtPtr(std::make_shared<SegmentedArrayNode>(std::move(segments))));
}

bool Value::operator==(const Value& other) const {
  Ref absent;
  return equalRefs(ref_ ? ref_.get() : &absent, other.ref_ ? other.ref_.get() : &absent);
}

}  // namespace kelda::json
