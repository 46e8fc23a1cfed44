#include "json/Reader.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>

#include "json/ContainerNodes.hpp"
#include "json/Swar.hpp"
#include "json/Utf8.hpp"

namespace kelda::json {

namespace {

// The nodes and texts of one parsed document; every value read from it shares its ownership.
struct Document {
  explicit Document(std::size_t inputSize) : arena(inputSize + inputSize / 2 + 512) {}
  Arena arena;
};

// Bytes that may be copied as they are inside a string: printable ASCII other than the
// quotation mark and the backslash.
constexpr std::array<bool, 256> makePlainTable() {
  std::array<bool, 256> t{};
  for (int c = 0x20; c < 0x80; ++c) t[c] = c != '"' && c != '\\';
  return t;
}
constexpr std::array<bool, 256> kPlain = makePlainTable();

// JSON's own four white-space characters.
constexpr std::array<bool, 256> makeSpaceTable() {
  std::array<bool, 256> t{};
  t[' '] = t['\t'] = t['\n'] = t['\r'] = true;
  return t;
}
constexpr std::array<bool, 256> kSpace = makeSpaceTable();

bool isDigit(unsigned char c) {
  return c >= '0' && c <= '9';
}

int hexValue(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string hexByte(unsigned value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%x", value);
  return buffer;
}

char closer(bool object) {
  return object ? '}' : ']';
}

}  // namespace

Value Reader::read(std::string_view text, unsigned maxDepth) {
  p_ = reinterpret_cast<const unsigned char*>(text.data());
  end_ = p_ + text.size();
  maxDepth_ = maxDepth;
  depth_ = 0;
  errors_.clear();
  frames_.clear();
  stack_.clear();
  keys_.clear();
  auto document = std::make_shared<Document>(text.size());
  arena_ = &document->arena;
  Ref root = readTree();
  const Ref* stored =
      root.isAbsent() ? nullptr : new (arena_->allocate(sizeof(Ref), alignof(Ref))) Ref(root);
  arena_ = nullptr;
  releaseLargeBuffers();
  if (stored == nullptr) return Value();
  skipSpace();
  if (p_ != end_) {
    fail(10, "Garbage after JSON");
    return Value();
  }
  return ValueAccess::make(std::shared_ptr<const Ref>(std::move(document), stored));
}

// Scratch space is kept for the next text, unless one huge text made it large.
void Reader::releaseLargeBuffers() {
  constexpr std::size_t kKeepBytes = std::size_t(1) << 20;
  if (buffer_.capacity() > kKeepBytes) std::string().swap(buffer_);
  stack_.clear();
  keys_.clear();
  if (frames_.capacity() * sizeof(Frame) > kKeepBytes) std::vector<Frame>().swap(frames_);
}

void Reader::skipSpace() {
  while (p_ != end_ && kSpace[*p_]) ++p_;
}

// The main loop: read a value; when it completes a member or element, continue with what
// follows in the enclosing containers. Containers are kept on frames_, never on the C++ stack.
Ref Reader::readTree() {
  for (;;) {
    skipSpace();
    if (p_ == end_) {
      if (frames_.empty()) {
        fail(11, "Unexpected end of string");
      } else {
        failEndOfInput();
      }
      return {};
    }
    Ref value;
    if (*p_ == '[' || *p_ == '{') {
      bool empty = false;
      if (!openContainer(char(*p_)) || !afterOpen(empty)) return {};
      if (!empty) continue;  // a first member or element follows
      value = closeContainer();
    } else {
      value = readScalar();
      if (value.isAbsent()) {
        wrapFrames(frames_.size());
        return {};
      }
    }
    // A complete value: add it to its container and go on after it.
    for (;;) {
      if (frames_.empty()) return value;
      Frame& frame = frames_.back();
      if (frame.object) stack_.push(frame.key);
      stack_.push(value);
      skipSpace();
      if (p_ == end_) {
        failEndOfInput();
        return {};
      }
      if (*p_ == closer(frame.object)) {
        ++p_;
        value = closeContainer();
        continue;
      }
      if (*p_ != ',') {
        failContainer(3, frame.object ? "Expected ',' or '}' after object member"
                                      : "Expected ',' or ']' after array element");
        return {};
      }
      ++p_;
      skipSpace();
      if (p_ == end_) {
        failEndOfInput();
        return {};
      }
      if (*p_ == closer(frame.object)) {
        failContainer(9, frame.object ? "Trailing comma disallowed in object"
                                      : "Trailing comma disallowed in array");
        return {};
      }
      if (frame.object && !readKey()) return {};
      break;
    }
  }
}

bool Reader::openContainer(char bracket) {
  ++p_;
  ++depth_;
  if (maxDepth_ != 0 && depth_ > maxDepth_) {
    fail(7, "Nested too deep");
    wrapFrames(frames_.size());
    return false;
  }
  frames_.push_back({bracket == '{', false, stack_.size(), Ref(), 0});
  return true;
}

// After an opening bracket: consumes the closing bracket of an empty container, or reads the
// first key of an object.
bool Reader::afterOpen(bool& empty) {
  const Frame& frame = frames_.back();
  skipSpace();
  if (p_ == end_) {
    failEndOfInput();
    return false;
  }
  empty = *p_ == closer(frame.object);
  if (empty) {
    ++p_;
    return true;
  }
  return !frame.object || readKey();
}

Ref Reader::closeContainer() {
  Frame frame = frames_.back();
  frames_.pop_back();
  --depth_;
  Ref node = frame.object ? makeObject(*arena_, stack_, frame.start, frame.mayRepeat)
                          : makeArray(*arena_, stack_, frame.start);
  stack_.truncate(frame.start);
  return node;
}

// Reads `"key" :` of an object member; p_ is at the key's first character.
bool Reader::readKey() {
  Frame& frame = frames_.back();
  if (*p_ != '"') {
    failContainer(3, "Object key string expected");
    return false;
  }
  Ref key = readString(true);
  if (key.isAbsent()) {
    failContainer(3, "Object key string expected");
    return false;
  }
  skipSpace();
  if (p_ == end_) {
    failEndOfInput();
    return false;
  }
  if (*p_ != ':') {
    failContainer(3, "Expected ':' separating key and value");
    return false;
  }
  ++p_;
  frame.key = key;
  // Only a clash of filter bits calls for a look at the keys so far.
  std::uint64_t bit = keyFilterBit(key);
  if ((frame.seen & bit) != 0 && !frame.mayRepeat) frame.mayRepeat = repeatsKey(frame, key);
  frame.seen |= bit;
  return true;
}

bool Reader::repeatsKey(const Frame& frame, const Ref& key) const {
  std::size_t members = (stack_.size() - frame.start) / 2;
  if (members > kSmallObject) return true;  // left to the hash index when the object closes
  for (std::size_t i = 0; i < members; ++i) {
    if (stack_[frame.start + 2 * i].word() == key.word()) return true;
  }
  return false;
}

Ref Reader::readScalar() {
  switch (*p_) {
    case '"':
      return readString(false);
    case 't':
      return readLiteral("true", kTrueRef, "Expected 'true'");
    case 'f':
      return readLiteral("false", kFalseRef, "Expected 'false'");
    case 'n':
      return readLiteral("null", kNullRef, "Expected 'null'");
    case '+':
      fail(2, "Leading + disallowed in number");
      return {};
    default:
      if (*p_ == '-' || isDigit(*p_)) return readNumber();
      fail(3, "Unrecognised leading character");
      return {};
  }
}

Ref Reader::readLiteral(std::string_view word, Ref literal, const char* message) {
  if (std::size_t(end_ - p_) < word.size() ||
      std::string_view(reinterpret_cast<const char*>(p_), word.size()) != word) {
    fail(3, message);
    return {};
  }
  p_ += word.size();
  return literal;
}

Ref Reader::readNumber() {
  const unsigned char* start = p_;
  const unsigned char* s = p_;
  if (*s == '-') ++s;
  if (s == end_ || !isDigit(*s)) {
    fail(2, "No digits after initial minus");
    return {};
  }
  if (*s == '0') {
    ++s;
    if (s != end_ && isDigit(*s)) {
      fail(2, "Leading 0 disallowed in number");
      return {};
    }
  } else {
    while (s != end_ && isDigit(*s)) ++s;
  }
  if (s != end_ && *s == '.') {
    ++s;
    if (s == end_ || !isDigit(*s)) {
      fail(2, "No digits after decimal point");
      return {};
    }
    while (s != end_ && isDigit(*s)) ++s;
  }
  if (s != end_ && (*s == 'e' || *s == 'E')) {
    ++s;
    if (s != end_ && (*s == '+' || *s == '-')) ++s;
    if (s == end_ || !isDigit(*s)) {
      fail(2, "No digits after exponent");
      return {};
    }
    while (s != end_ && isDigit(*s)) ++s;
  }
  p_ = s;
  return textRef(Type::Number, start, std::size_t(s - start), std::size_t(end_ - start));
}

// A short text is held in the Ref itself; a longer one is copied into a node of the arena.
Ref Reader::textRef(Type type, const unsigned char* text, std::size_t size, std::size_t readable) {
  auto chars = reinterpret_cast<const char*>(text);
  if (size <= Ref::kInlineMax) {
    return readable >= 8 ? Ref::inlineTextFrom8(type, chars, size)
                         : Ref::inlineText(type, chars, size);
  }
  Node* node = newNode(*arena_, type, size, size);
  std::memcpy(node + 1, chars, size);
  return Ref::to(node);
}

Ref Reader::keyRef(const unsigned char* text, std::size_t size, std::size_t readable) {
  if (size <= Ref::kInlineMax) return textRef(Type::String, text, size, readable);
  return keys_.intern(std::string_view(reinterpret_cast<const char*>(text), size), *arena_);
}

// Reads a string; p_ is at the opening quotation mark. Plain runs are found with one scan and
// copied whole.
Ref Reader::readString(bool key) {
  const unsigned char* start = ++p_;
  const unsigned char* s = start;
  for (;;) {
    s = swar::skipPlainBlocks(s, end_);
    while (s != end_ && kPlain[*s]) ++s;
    if (s == end_) {
      p_ = s;
      fail(11, "Unexpected EOF while parsing string");
      return {};
    }
    unsigned char c = *s;
    if (c == '"') {
      p_ = s + 1;
      std::size_t size = std::size_t(s - start);
      std::size_t readable = std::size_t(end_ - start);
      return key ? keyRef(start, size, readable) : textRef(Type::String, start, size, readable);
    }
    if (c == '\\') return readEscapedRest(start, s, key);
    if (c < 0x20) {
      p_ = s;
      fail(5, "Unescaped control character '" + hexByte(c) + "'");
      return {};
    }
    std::size_t n = utf8::sequenceLength(s, end_);
    if (n == 0) {
      p_ = s;
      fail(6, "Broken unicode character");
      return {};
    }
    s += n;
  }
}

// The slow path of a string holding escapes: decodes into buffer_ from the first backslash on.
Ref Reader::readEscapedRest(const unsigned char* runStart, const unsigned char* s, bool key) {
  buffer_.assign(reinterpret_cast<const char*>(runStart), std::size_t(s - runStart));
  for (;;) {
    const unsigned char* run = s;
    s = swar::skipPlainBlocks(s, end_);
    while (s != end_ && kPlain[*s]) ++s;
    buffer_.append(reinterpret_cast<const char*>(run), std::size_t(s - run));
    if (s == end_) {
      p_ = s;
      fail(11, "Unexpected EOF while parsing string");
      return {};
    }
    unsigned char c = *s;
    if (c == '"') {
      p_ = s + 1;
      auto text = reinterpret_cast<const unsigned char*>(buffer_.data());
      return key ? keyRef(text, buffer_.size(), buffer_.size())
                 : textRef(Type::String, text, buffer_.size(), buffer_.size());
    }
    if (c < 0x20) {
      p_ = s;
      fail(5, "Unescaped control character '" + hexByte(c) + "'");
      return {};
    }
    if (c >= 0x80) {
      std::size_t n = utf8::sequenceLength(s, end_);
      if (n == 0) {
        p_ = s;
        fail(6, "Broken unicode character");
        return {};
      }
      buffer_.append(reinterpret_cast<const char*>(s), n);
      s += n;
      continue;
    }
    // A backslash.
    if (++s == end_) {
      p_ = s;
      fail(11, "Unexpected EOF while parsing string");
      return {};
    }
    switch (*s) {
      case '"':
      case '\\':
      case '/':
        buffer_.push_back(char(*s++));
        break;
      case 'b':
        buffer_.push_back('\b'), ++s;
        break;
      case 'f':
        buffer_.push_back('\f'), ++s;
        break;
      case 'n':
        buffer_.push_back('\n'), ++s;
        break;
      case 'r':
        buffer_.push_back('\r'), ++s;
        break;
      case 't':
        buffer_.push_back('\t'), ++s;
        break;
      case 'u': {
        ++s;
        char32_t cp = 0;
        if (!readUnicodeEscape(s, cp)) return {};
        utf8::append(buffer_, cp);
        break;
      }
      default:
        p_ = s;
        fail(8, "Illegal escape sequence '" + hexByte(*s) + "'");
        return {};
    }
  }
}

// Reads the four hex digits after "\u" (s is after the "u"), and the low half of a surrogate
// pair when the first value is a high surrogate.
bool Reader::readUnicodeEscape(const unsigned char*& s, char32_t& cp) {
  unsigned high = 0;
  if (!readQuad(s, high)) return false;
  if (high >= 0xDC00 && high <= 0xDFFF) {
    p_ = s;
    fail(6, "Invalid high character in surrogate pair");
    return false;
  }
  if (high < 0xD800 || high > 0xDBFF) {
    cp = high;
    return true;
  }
  for (std::size_t i = 0; i < 2; ++i) {
    if (s + i == end_) {
      p_ = end_;
      fail(11, "Unexpected EOF while parsing string");
      return false;
    }
    if (s[i] != "\\u"[i]) break;
  }
  if (s[0] != '\\' || s[1] != 'u') {
    p_ = s;
    fail(6, "Missing low character in surrogate pair");
    return false;
  }
  s += 2;
  unsigned low = 0;
  if (!readQuad(s, low)) return false;
  if (low < 0xDC00 || low > 0xDFFF) {
    p_ = s;
    fail(6, "Invalid low surrogate char");
    return false;
  }
  cp = 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
  return true;
}

bool Reader::readQuad(const unsigned char*& s, unsigned& value) {
  value = 0;
  for (int i = 0; i < 4; ++i, ++s) {
    if (s == end_) {
      p_ = s;
      fail(11, "Unexpected EOF while parsing string");
      return false;
    }
    int digit = hexValue(*s);
    if (digit < 0) {
      p_ = s;
      fail(6, "Missing hex digit in quad");
      fail(6, "Missing hex quad");
      return false;
    }
    value = value * 16 + unsigned(digit);
  }
  return true;
}

void Reader::fail(int code, std::string description) {
  errors_.push_back({code, std::move(description)});
}

void Reader::failContainer(int code, std::string description) {
  fail(code, std::move(description));
  wrapFrames(frames_.size() - 1);
}

void Reader::failEndOfInput() {
  failContainer(11, frames_.back().object ? "End of input while parsing object"
                                          : "End of input while parsing array");
}

// Each of the innermost `count` open containers reports that its member or element failed,
// innermost first.
void Reader::wrapFrames(std::size_t count) {
  for (std::size_t i = count; i-- > 0;) {
    const Frame& frame = frames_[i];
    if (frame.object) {
      fail(3, "Object value expected for key: " + std::string(frame.key.text()));
    } else {
      fail(3, "Expected value while parsing array");
    }
  }
}

}  // namespace kelda::json
