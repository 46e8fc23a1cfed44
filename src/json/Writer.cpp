#include "json/Writer.hpp"

#include <algorithm>
#include <array>
#include <cstdio>

#include "json/NumberText.hpp"
#include "json/Swar.hpp"
#include "json/Utf8.hpp"

namespace kelda::json {

namespace {

// Bytes written as they are: everything but control characters, '"' and '\\'.
constexpr std::array<bool, 256> makeVerbatimTable() {
  std::array<bool, 256> t{};
  for (int c = 0x20; c < 0x100; ++c) t[c] = c != '"' && c != '\\';
  return t;
}
constexpr std::array<bool, 256> kVerbatim = makeVerbatimTable();

constexpr std::array<bool, 256> makeVerbatimAsciiTable() {
  std::array<bool, 256> t{};
  for (int c = 0x20; c < 0x80; ++c) t[c] = c != '"' && c != '\\';
  return t;
}
constexpr std::array<bool, 256> kVerbatimAscii = makeVerbatimAsciiTable();

void appendEscape(std::string& out, unsigned char c) {
  switch (c) {
    case '"':
      out += "\\\"";
      break;
    case '\\':
      out += "\\\\";
      break;
    case '\b':
      out += "\\b";
      break;
    case '\t':
      out += "\\t";
      break;
    case '\n':
      out += "\\n";
      break;
    case '\f':
      out += "\\f";
      break;
    case '\r':
      out += "\\r";
      break;
    default: {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04x", unsigned(c));
      out += buffer;
    }
  }
}

}  // namespace

void appendQuoted(std::string& out, std::string_view text) {
  out += '"';
  auto p = reinterpret_cast<const unsigned char*>(text.data());
  auto end = p + text.size();
  while (p != end) {
    auto run = p;
    p = swar::skipPlainBlocks(p, end);
    while (p != end && kVerbatim[*p]) ++p;
    out.append(reinterpret_cast<const char*>(run), std::size_t(p - run));
    if (p != end) appendEscape(out, *p++);
  }
  out += '"';
}

bool appendQuotedChecked(std::string& out, std::string_view text) {
  out += '"';
  auto p = reinterpret_cast<const unsigned char*>(text.data());
  auto end = p + text.size();
  while (p != end) {
    auto run = p;
    p = swar::skipPlainBlocks(p, end);
    while (p != end && kVerbatimAscii[*p]) ++p;
    out.append(reinterpret_cast<const char*>(run), std::size_t(p - run));
    if (p == end) break;
    if (*p < 0x80) {
      appendEscape(out, *p++);
      continue;
    }
    std::size_t n = utf8::sequenceLength(p, end);
    if (n == 0) return false;
    out.append(reinterpret_cast<const char*>(p), n);
    p += n;
  }
  out += '"';
  return true;
}

bool Writer::write(const Ref& root, std::string& out) {
  out_ = &out;
  frames_.clear();
  errors_.clear();
  depth_ = 0;
  if (!begin(root)) return false;
  while (!frames_.empty()) {
    Frame& frame = frames_.back();
    if (frame.next == frame.size) {
      --depth_;
      if (options_.humanReadable && frame.size != 0) newline(depth_);
      out += frame.object ? '}' : ']';
      frames_.pop_back();
      continue;
    }
    std::size_t i = frame.next++;
    if (i > 0) out += ',';
    if (options_.humanReadable) newline(depth_);
    const Ref* child;
    if (frame.object) {
      const Entry* member = memberAt(frame, i);
      if (!frame.node->has(Node::kBuilt)) {
        appendQuoted(out, member->key.text());
      } else if (!appendQuotedChecked(out, member->key.text())) {
        fail(1, "JSON object key must be string");
        wrapFrames(frames_.size() - 1);
        return false;
      }
      out += options_.humanReadable ? " : " : ":";
      child = &member->value;
    } else {
      child = frame.items != nullptr ? &frame.items[i] : &arrayItem(frame.node, i);
    }
    if (!begin(*child)) {
      wrapFrames(frames_.size());
      return false;
    }
  }
  return true;
}

// Writes a scalar whole, or opens a container and pushes its frame.
bool Writer::begin(const Ref& ref) {
  if (ref.isInline()) {
    writeInline(ref);
    return true;
  }
  if (ref.isAbsent()) {
    fail(1, "JSON serialisation not supported for (null)");
    return false;
  }
  const Node* node = ref.node();
  std::string& out = *out_;
  // Texts of a parsed document are valid UTF-8 and numbers valid JSON already; hand-built ones
  // are checked.
  bool built = node->has(Node::kBuilt);
  switch (node->type()) {
    case Type::Array:
    case Type::Object:
      return open(node);
    case Type::Number:
      if (built && !number::isJsonNumber(node->text())) {
        fail(1, "JSON serialisation not supported for " + std::string(node->text()));
        return false;
      }
      out += node->text();
      return true;
    default:  // String
      if (!built) {
        appendQuoted(out, node->text());
      } else if (!appendQuotedChecked(out, node->text())) {
        fail(1, "JSON serialisation not supported for text that is not UTF-8");
        return false;
      }
      return true;
  }
}

// Null, a boolean, or a short text of a parsed document (never hand-built).
void Writer::writeInline(const Ref& ref) {
  std::string& out = *out_;
  switch (ref.type()) {
    case Type::Null:
      out += "null";
      break;
    case Type::Boolean:
      out += ref.boolean() ? "true" : "false";
      break;
    case Type::Number:
      out += ref.text();
      break;
    default:  // String
      appendQuoted(out, ref.text());
      break;
  }
}

bool Writer::open(const Node* node) {
  ++depth_;
  if (options_.maxDepth != 0 && depth_ > options_.maxDepth) {
    fail(7, "Nested too deep");
    return false;
  }
  bool object = node->type() == Type::Object;
  *out_ += object ? '{' : '[';
  Frame frame{node, object, nullptr, nullptr, node->size(), 0, {}};
  if (object) {
    frame.members = node->members();
    if (options_.sortKeys) {
      frame.order.reserve(frame.size);
      for (std::size_t i = 0; i < frame.size; ++i) frame.order.push_back(&frame.members[i]);
      std::sort(frame.order.begin(), frame.order.end(),
                [](const Entry* a, const Entry* b) { return a->key.text() < b->key.text(); });
    }
  } else if (!node->has(Node::kSegmented)) {
    frame.items = node->items();
  }
  frames_.push_back(std::move(frame));
  return true;
}

const Entry* Writer::memberAt(const Frame& frame, std::size_t i) const {
  return frame.order.empty() ? &frame.members[i] : frame.order[i];
}

void Writer::newline(std::size_t level) {
  *out_ += '\n';
  out_->append(level * 2, ' ');
}

// Each enclosing object reports the key whose value failed; arrays add nothing.
void Writer::wrapFrames(std::size_t count) {
  for (std::size_t i = count; i-- > 0;) {
    const Frame& frame = frames_[i];
    if (!frame.object) continue;
    const Entry* member = memberAt(frame, frame.next - 1);
    fail(1, "Unsupported value for key " + std::string(member->key.text()) + " in object");
  }
}

void Writer::fail(int code, std::string description) {
  errors_.push_back({code, std::move(description)});
}

}  // namespace kelda::json
