// Reader: accepted texts, every failure with its code and exact description, the chain of
// underlying errors, depth limits and hostile input.
#include <gtest/gtest.h>

#include <string>

#include "json/SBJson.hpp"

namespace kelda::json {
namespace {

struct Outcome {
  Value value;
  int code = 0;
  std::string description;
};

Outcome readFragment(std::string_view text, unsigned maxDepth = 512) {
  SBJsonParser parser;
  parser.maxDepth = maxDepth;
  Outcome o;
  o.value = parser.fragmentWithString(text);
  if (auto e = parser.lastError()) {
    o.code = e->code;
    o.description = e->description;
  }
  return o;
}

// The innermost error (the root of the chain).
std::pair<int, std::string> rootError(std::string_view text) {
  SBJsonParser parser;
  parser.fragmentWithString(text);
  EXPECT_FALSE(parser.errorTrace().empty()) << text;
  if (parser.errorTrace().empty()) return {0, ""};
  const auto& e = parser.errorTrace().front();
  return {e->code, e->description};
}

TEST(Reader, ScalarFailuresGiveCodeAndDescription) {
  struct Case {
    const char* text;
    int code;
    const char* description;
  } cases[] = {
      {"", 11, "Unexpected end of string"},
      {"   \n", 11, "Unexpected end of string"},
      {"+1", 2, "Leading + disallowed in number"},
      {"01", 2, "Leading 0 disallowed in number"},
      {"-01", 2, "Leading 0 disallowed in number"},
      {"-", 2, "No digits after initial minus"},
      {"-x", 2, "No digits after initial minus"},
      {"1.", 2, "No digits after decimal point"},
      {"1.e5", 2, "No digits after decimal point"},
      {"1e", 2, "No digits after exponent"},
      {"1E+", 2, "No digits after exponent"},
      {"tru", 3, "Expected 'true'"},
      {"fals", 3, "Expected 'false'"},
      {"nul", 3, "Expected 'null'"},
      {"nUll", 3, "Expected 'null'"},
      {"x", 3, "Unrecognised leading character"},
      {".5", 3, "Unrecognised leading character"},
      {"\f1", 3, "Unrecognised leading character"},
      {"\"a\tb\"", 5, "Unescaped control character '0x9'"},
      {"\"a\x1f\"", 5, "Unescaped control character '0x1f'"},
      {"\"\\x\"", 8, "Illegal escape sequence '0x78'"},
      {"\"\\'\"", 8, "Illegal escape sequence '0x27'"},
      {"\"\\u12g4\"", 6, "Missing hex quad"},
      {"\"\\udc00\"", 6, "Invalid high character in surrogate pair"},
      {"\"\\ud800\"", 6, "Missing low character in surrogate pair"},
      {"\"\\ud800x\"", 6, "Missing low character in surrogate pair"},
      {"\"\\ud800\\u0041\"", 6, "Invalid low surrogate char"},
      {"\"\\ud800\\ud800\"", 6, "Invalid low surrogate char"},
      {"\"abc", 11, "Unexpected EOF while parsing string"},
      {"\"abc\\", 11, "Unexpected EOF while parsing string"},
      {"\"\\u12", 11, "Unexpected EOF while parsing string"},
      {"{} x", 10, "Garbage after JSON"},
      {"1 2", 10, "Garbage after JSON"},
      {"nullx", 10, "Garbage after JSON"},
  };
  for (const auto& c : cases) {
    Outcome o = readFragment(c.text);
    EXPECT_TRUE(o.value.isAbsent()) << c.text;
    EXPECT_EQ(o.code, c.code) << c.text;
    EXPECT_EQ(o.description, c.description) << c.text;
  }
  // A raw NUL inside a string is a control character like any other.
  Outcome nul = readFragment(std::string_view("\"a\0b\"", 5));
  EXPECT_EQ(nul.code, 5);
  EXPECT_EQ(nul.description, "Unescaped control character '0x0'");
  EXPECT_EQ(rootError("\"\\u12g4\"").second, "Missing hex digit in quad");
}

TEST(Reader, ContainerFailuresAndTheirWrappers) {
  struct Case {
    const char* text;
    int code;
    const char* description;
  } cases[] = {
      {"[1,]", 9, "Trailing comma disallowed in array"},
      {"[1, \n]", 9, "Trailing comma disallowed in array"},
      {"{\"a\":1,}", 9, "Trailing comma disallowed in object"},
      {"[", 11, "End of input while parsing array"},
      {"[1", 11, "End of input while parsing array"},
      {"[1,", 11, "End of input while parsing array"},
      {"[ ", 11, "End of input while parsing array"},
      {"{", 11, "End of input while parsing object"},
      {"{\"a\"", 11, "End of input while parsing object"},
      {"{\"a\":", 11, "End of input while parsing object"},
      {"{\"a\":1", 11, "End of input while parsing object"},
      {"{1:2}", 3, "Object key string expected"},
      {"{\"a\" 1}", 3, "Expected ':' separating key and value"},
      {"{\"a\":x}", 3, "Object value expected for key: a"},
      {"[x]", 3, "Expected value while parsing array"},
      {"[1 2]", 3, "Expected ',' or ']' after array element"},
      {"{\"a\":1 \"b\":2}", 3, "Expected ',' or '}' after object member"},
      {"[[1,]]", 3, "Expected value while parsing array"},
      {"{\"k\":[1,]}", 3, "Object value expected for key: k"},
      {"[\f]", 3, "Expected value while parsing array"},
  };
  for (const auto& c : cases) {
    Outcome o = readFragment(c.text);
    EXPECT_TRUE(o.value.isAbsent()) << c.text;
    EXPECT_EQ(o.code, c.code) << c.text;
    EXPECT_EQ(o.description, c.description) << c.text;
  }
}

TEST(Reader, EachErrorCarriesTheEarlierOneAsUnderlying) {
  SBJsonParser parser;
  EXPECT_TRUE(parser.objectWithString("{\"a\":[1,{\"b\":01}]}").isAbsent());
  const auto& trace = parser.errorTrace();
  ASSERT_EQ(trace.size(), 4u);
  EXPECT_EQ(trace[0]->description, "Leading 0 disallowed in number");
  EXPECT_EQ(trace[1]->description, "Object value expected for key: b");
  EXPECT_EQ(trace[2]->description, "Expected value while parsing array");
  EXPECT_EQ(trace[3]->description, "Object value expected for key: a");
  EXPECT_EQ(trace[0]->underlying, nullptr);
  for (std::size_t i = 1; i < trace.size(); ++i) EXPECT_EQ(trace[i]->underlying, trace[i - 1]);
  EXPECT_EQ(parser.lastError(), trace.back());

  // The bad key string is reported under the object's own complaint.
  parser.fragmentWithString("{\"\\q\":1}");
  ASSERT_EQ(parser.errorTrace().size(), 2u);
  EXPECT_EQ(parser.errorTrace()[0]->code, 8);
  EXPECT_EQ(parser.errorTrace()[1]->description, "Object key string expected");

  // The trace is emptied by the next operation.
  EXPECT_TRUE(parser.fragmentWithString("[]").isArray());
  EXPECT_TRUE(parser.errorTrace().empty());
  EXPECT_EQ(parser.lastError(), nullptr);
}

TEST(Reader, ObjectWithStringWantsAContainer) {
  SBJsonParser parser;
  for (const char* text : {"\"text\"", "12", "true", "null"}) {
    EXPECT_TRUE(parser.objectWithString(text).isAbsent()) << text;
    ASSERT_NE(parser.lastError(), nullptr);
    EXPECT_EQ(parser.lastError()->code, 4);
    EXPECT_EQ(parser.lastError()->description, "Valid fragment, but not JSON");
    EXPECT_FALSE(parser.fragmentWithString(text).isAbsent()) << text;
  }
  EXPECT_TRUE(parser.objectWithString(" [] ").isArray());
  EXPECT_TRUE(parser.objectWithString("{}").isObject());
  // Garbage is found before the type is judged.
  parser.objectWithString("1 x");
  EXPECT_EQ(parser.lastError()->code, 10);

  EXPECT_TRUE(parser.objectWithNil().isAbsent());
  EXPECT_EQ(parser.lastError()->code, 12);
  EXPECT_EQ(parser.lastError()->description, "Input was 'nil'");
  EXPECT_EQ(parser.errorTrace().size(), 1u);
}

TEST(Reader, StringsDecodeEscapesAndKeepUtf8) {
  EXPECT_EQ(readFragment("\"\\u00e9\"").value.str(), "\xC3\xA9");
  EXPECT_EQ(readFragment("\"\\u00E9t\\u00C9\"").value.str(), "\xC3\xA9t\xC3\x89");
  EXPECT_EQ(readFragment("\"\\\"\\\\\\/\\b\\f\\n\\r\\t\"").value.str(), "\"\\/\b\f\n\r\t");
  EXPECT_EQ(readFragment("\"\\ud83d\\ude00\"").value.str(), "\xF0\x9F\x98\x80");
  EXPECT_EQ(readFragment("\"\\udbff\\udfff\"").value.str(), "\xF4\x8F\xBF\xBF");
  EXPECT_EQ(readFragment("\"\\u0000\"").value.str(), std::string(1, '\0'));
  EXPECT_EQ(readFragment("\"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\"").value.str(),
            "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80");
  EXPECT_EQ(readFragment("\"plain \xC3\xA9\\n\"").value.str(), "plain \xC3\xA9\n");
  EXPECT_EQ(readFragment("\"\x7f\"").value.str(), "\x7f");
  EXPECT_EQ(readFragment("\"\"").value.str(), "");
}

TEST(Reader, SpecialBytesAreFoundAtEveryOffsetOfABlock) {
  // Plain runs are scanned in blocks; a special byte must be seen wherever it falls.
  for (std::size_t n = 0; n < 40; ++n) {
    std::string run(n, 'a');
    EXPECT_EQ(readFragment("\"" + run + "\\n" + run + "\"").value.str(), run + "\n" + run) << n;
    EXPECT_EQ(readFragment("\"" + run + "\t\"").code, 5) << n;
    EXPECT_EQ(readFragment("\"" + run + "\xC3\xA9" + run + "\"").value.str(),
              run + "\xC3\xA9" + run)
        << n;
    EXPECT_EQ(readFragment("\"" + run + "\xFF" + run + "\"").code, 6) << n;
    EXPECT_EQ(readFragment("[\"" + run + "\"," + std::to_string(n) + "]").value[0].str(), run);
    EXPECT_EQ(readFragment("\"" + run).code, 11) << n;
  }
}

TEST(Reader, InvalidUtf8IsRefusedWithCode6) {
  for (std::string_view text :
       {"\"\xFF\"", "\"\xC3\"", "\"\xC3(\"", "\"\xC0\xAF\"", "\"\xE0\x80\xAF\"", "\"\xED\xA0\x80\"",
        "\"\xF4\x90\x80\x80\"", "\"\x80\"", "\"a\\n\xFE\"", "[\"ok\",\"\xE2\x82\"]"}) {
    EXPECT_EQ(rootError(text), std::make_pair(6, std::string("Broken unicode character"))) << text;
  }
  // Outside strings such a byte is simply not JSON.
  EXPECT_EQ(readFragment("\xEF\xBB\xBF{}").code, 3);
}

TEST(Reader, NumbersKeepTheirExactText) {
  for (const char* text : {"1.0e+999", "-0", "12345678901234567890", "-0.0", "1E-7", "0.1",
                           "123456789012345678901234567890.5e-400"}) {
    Outcome o = readFragment(text);
    ASSERT_TRUE(o.value.isNumber()) << text;
    EXPECT_EQ(o.value.text(), text);
  }
  EXPECT_EQ(readFragment("[1.50]").value[0].text(), "1.50");
}

TEST(Reader, WhiteSpaceIsJsonsOwnFour) {
  EXPECT_TRUE(readFragment(" \t\r\n[ \t\r\n1 \t\r\n, 2 ]\n").value.isArray());
  EXPECT_TRUE(readFragment("[\v]").value.isAbsent());
  EXPECT_TRUE(readFragment(std::string_view("[1]\0", 4)).value.isAbsent());
}

TEST(Reader, ObjectsKeepOrderAndTheLastDuplicateWins) {
  Value v = readFragment("{\"b\":1,\"a\":2,\"b\":3,\"c\":4}").value;
  ASSERT_EQ(v.size(), 3u);
  EXPECT_EQ(v.keyAt(0), "b");
  EXPECT_EQ(v.keyAt(1), "a");
  EXPECT_EQ(v.keyAt(2), "c");
  EXPECT_EQ(v["b"].text(), "3");
  // Same rule on large objects, which are merged through a hash index.
  std::string big = "{";
  for (int i = 0; i < 100; ++i) big += "\"k" + std::to_string(i) + "\":" + std::to_string(i) + ",";
  big += "\"k5\":\"last\"}";
  Value b = readFragment(big).value;
  ASSERT_EQ(b.size(), 100u);
  EXPECT_EQ(b.keyAt(5), "k5");
  EXPECT_EQ(b["k5"].str(), "last");
  EXPECT_EQ(b.keyAt(99), "k99");
}

std::string nested(std::size_t depth, std::string_view inner = "") {
  return std::string(depth, '[') + std::string(inner) + std::string(depth, ']');
}

TEST(Reader, DepthLimit) {
  EXPECT_TRUE(readFragment(nested(512)).value.isArray());
  Outcome deep = readFragment(nested(513));
  EXPECT_TRUE(deep.value.isAbsent());
  EXPECT_EQ(rootError(nested(513)), std::make_pair(7, std::string("Nested too deep")));
  EXPECT_EQ(deep.code, 3);  // wrapped by each enclosing array
  std::string objects;
  for (int i = 0; i < 513; ++i) objects += "{\"a\":";
  objects += '1';
  objects.append(513, '}');
  EXPECT_EQ(rootError(objects).first, 7);

  SBJsonParser parser;
  parser.maxDepth = 2;
  EXPECT_TRUE(parser.fragmentWithString("[[1]]").isArray());
  EXPECT_TRUE(parser.fragmentWithString("[[[1]]]").isAbsent());
  EXPECT_EQ(parser.errorTrace().front()->code, 7);
  parser.maxDepth = 0;
  EXPECT_TRUE(parser.fragmentWithString(nested(5000)).isArray());
  EXPECT_EQ(parser.depth, 0u);
}

TEST(Reader, HostileInputNeverOverflowsTheStack) {
  constexpr std::size_t kDeep = 100000;
  // Unlimited depth: the whole tree is built and freed without recursion.
  Value v = readFragment(nested(kDeep, "\"x\""), 0).value;
  ASSERT_TRUE(v.isArray());
  SBJsonWriter writer;
  writer.maxDepth = 0;
  auto text = writer.stringWithObject(v);
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text, nested(kDeep, "\"x\""));
  EXPECT_EQ(v, readFragment(*text, 0).value);
  EXPECT_FALSE(v.describe().empty());
  // Unterminated: fails with one error per level, freed without recursion.
  Outcome open = readFragment(std::string(kDeep, '['), 0);
  EXPECT_TRUE(open.value.isAbsent());
  // Default limit: refused at level 513.
  EXPECT_TRUE(readFragment(nested(kDeep)).value.isAbsent());
}

TEST(Reader, TruncationAtEveryByteFailsCleanly) {
  std::string text =
      "{\"a\":[1,-2.5e3,\"x\\u00e9\\ud83d\\ude00\xC3\xA9\",true,false,null,{}],\"b\":{\"c\":[]}}";
  ASSERT_TRUE(readFragment(text).value.isObject());
  for (std::size_t n = 0; n < text.size(); ++n) {
    Outcome o = readFragment(text.substr(0, n));
    EXPECT_TRUE(o.value.isAbsent()) << n;
    EXPECT_NE(o.code, 0) << n;
  }
}

TEST(Reader, LargeAnswer) {
  std::string text = "[";
  text.reserve(21u << 20);
  std::size_t count = 0;
  while (text.size() < 20u << 20) {
    std::string id = std::to_string(count++);
    text.append("{\"id\":").append(id).append(",\"name\":\"product name number ");
    text.append(id).append("\",\"price\":\"19.99\",\"tags\":[\"a\",\"b\"]},");
  }
  text.back() = ']';
  Value v = readFragment(text).value;
  ASSERT_TRUE(v.isArray());
  ASSERT_EQ(v.size(), count);
  EXPECT_EQ(v[count - 1]["id"].intValue(), static_cast<long long>(count - 1));
}

}  // namespace
}  // namespace kelda::json
