#include "Hostile.hpp"

#include <string_view>

namespace kelda::bench {

namespace {

// `open`, then as many copies of `item` (separated by commas) as fit, then `close`.
std::string repeated(std::size_t bytes, std::string_view open, std::string_view item,
                     std::string_view close) {
  std::string out(open);
  out.reserve(bytes);
  std::size_t room = bytes - open.size() - close.size();
  if (item.size() <= room) {
    out += item;
    for (std::size_t used = item.size(); used + 1 + item.size() <= room; used += 1 + item.size()) {
      out += ',';
      out += item;
    }
  }
  out += close;
  return out;
}

std::string zeros(std::size_t bytes) {
  return repeated(bytes, "[", "0", "]");
}

std::string emptyStrings(std::size_t bytes) {
  return repeated(bytes, "[", "\"\"", "]");
}

std::string emptyArrays(std::size_t bytes) {
  return repeated(bytes, "[", "[]", "]");
}

std::string emptyObjects(std::size_t bytes) {
  return repeated(bytes, "[", "{}", "]");
}

std::string oneMemberObjects(std::size_t bytes) {
  return repeated(bytes, "[", "{\"a\":0}", "]");
}

// Arrays nested as deep as the reader's default limit allows, one after the other.
std::string nestedArrays(std::size_t bytes) {
  constexpr std::size_t kDepth = 511;
  std::string item = std::string(kDepth, '[') + "0" + std::string(kDepth, ']');
  return repeated(bytes, "[", item, "]");
}

std::string nestedObjects(std::size_t bytes) {
  constexpr std::size_t kDepth = 511;
  std::string item;
  for (std::size_t i = 0; i < kDepth; ++i) item += "{\"a\":";
  item += "0" + std::string(kDepth, '}');
  return repeated(bytes, "[", item, "]");
}

// The n-th key of a sequence of distinct keys, shortest first, over the printable ASCII
// characters that need no escape.
void appendKey(std::string& out, std::size_t n) {
  constexpr std::string_view kAlphabet =
      "!#$%&'()*+,-./"
      "0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[]^_`abcdefghijklmnopqrstuvwxyz{|}~";
  do {
    out += kAlphabet[n % kAlphabet.size()];
    n /= kAlphabet.size();
  } while (n-- != 0);
}

std::string distinctKeys(std::size_t bytes) {
  std::string out = "{";
  out.reserve(bytes);
  std::string member;
  for (std::size_t n = 0;; ++n) {
    member.assign(n == 0 ? "\"" : ",\"");
    appendKey(member, n);
    member += "\":0";
    if (out.size() + member.size() + 1 > bytes) break;
    out += member;
  }
  return out + "}";
}

std::string repeatedKey(std::size_t bytes) {
  return repeated(bytes, "{", "\"a\":0", "}");
}

std::string longString(std::size_t bytes) {
  return "[\"" + std::string(bytes - 4, 'x') + "\"]";
}

std::string escapedString(std::size_t bytes) {
  std::string out = "[\"";
  out.reserve(bytes);
  while (out.size() + 6 + 2 <= bytes) out += "\\u00e9";
  return out + "\"]";
}

}  // namespace

const std::vector<HostileShape>& hostileShapes() {
  static const std::vector<HostileShape> shapes = {
      {"zeros", "tiny-array", zeros},
      {"empty-strings", "tiny-array", emptyStrings},
      {"empty-arrays", "tiny-array", emptyArrays},
      {"nested-arrays", "tiny-array", nestedArrays},
      {"empty-objects", "tiny-object", emptyObjects},
      {"one-member-objects", "tiny-object", oneMemberObjects},
      {"nested-objects", "tiny-object", nestedObjects},
      {"distinct-keys", "tiny-object", distinctKeys},
      {"repeated-key", "tiny-object", repeatedKey},
      {"long-string", "long-string", longString},
      {"escaped-string", "long-string", escapedString},
  };
  return shapes;
}

}  // namespace kelda::bench
