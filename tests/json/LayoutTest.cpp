// The compact layout of parsed documents: texts on both sides of the inline limit, long keys
// shared within a document, repeated keys found by identity, and containers whose members lie
// across the blocks of the reader's stack.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "json/SBJson.hpp"

namespace kelda::json {
namespace {

Value parse(std::string_view text) {
  SBJsonParser parser;
  Value v = parser.fragmentWithString(text);
  EXPECT_FALSE(v.isAbsent()) << text.substr(0, 200);
  return v;
}

std::string jsonText(std::string_view text) {
  return *JSONFragment(Value(text));
}

// Texts of every length around the 7 bytes held inline, plain, with an escape and with a
// multi-byte character, as keys and as values.
TEST(Layout, TextsAroundTheInlineLimit) {
  std::vector<std::string> texts;
  for (std::size_t n = 0; n <= 18; ++n) {
    texts.push_back(std::string(n, 'k'));
    if (n >= 1) texts.push_back(std::string(n - 1, 'e') + "\n");
    if (n >= 2) texts.push_back("\xC3\xA9" + std::string(n - 2, 'u'));
  }
  for (const std::string& t : texts) {
    std::string json = "{" + jsonText(t) + ":[" + jsonText(t) + "," + jsonText(t + "x") + "]}";
    Value v = parse(json);
    ASSERT_EQ(v.size(), 1u) << json;
    EXPECT_EQ(v.keyAt(0), t);
    EXPECT_TRUE(v.contains(t));
    EXPECT_FALSE(v.contains(t + "x"));
    EXPECT_EQ(v[t][0].str(), t);
    EXPECT_EQ(v[t][1].str(), t + "x");
    EXPECT_EQ(v, Value::object({{t, Value::array({Value(t), Value(t + "x")})}})) << json;
    EXPECT_EQ(JSONRepresentation(v), json);
  }
  for (std::string number : {"0", "-1", "1234567", "12345678", "-1.5e+10", "3.14159265358979"}) {
    Value v = parse("[" + number + "]");
    EXPECT_EQ(v[0].text(), number);
    EXPECT_EQ(v[0], Value::numberFromText(number));
    EXPECT_EQ(JSONFragment(v[0]), number);
  }
}

TEST(Layout, RepeatedKeysKeepTheirFirstPositionAndLastValue) {
  struct Case {
    std::string members;
    std::vector<std::string> keys;
    std::string lastOfFirstKey;
  } cases[] = {
      // Short keys, long keys and keys that differ only past their eighth byte.
      {R"("a":1,"b":2,"a":3)", {"a", "b"}, "3"},
      {R"("productName":1,"productNameX":2,"productName":3)", {"productName", "productNameX"}, "3"},
      {R"("abcdefghij1":1,"abcdefghij2":2,"abcdefghij1":3)", {"abcdefghij1", "abcdefghij2"}, "3"},
      {R"("abcdefg":1,"abcdefgh":2,"abcdefg":3,"abcdefgh":4)", {"abcdefg", "abcdefgh"}, "3"},
      {R"("x":1,"x":2,"x":3,"x":4)", {"x"}, "4"},
  };
  for (const Case& c : cases) {
    // Alone, and after so many elements that the members cross a block of the reader's stack.
    for (std::size_t before : {0u, 4093u, 4094u, 4095u, 4096u, 4097u}) {
      std::string text = "[";
      for (std::size_t i = 0; i < before; ++i) text += "0,";
      text += "{" + c.members + "}]";
      Value object = parse(text)[before];
      ASSERT_EQ(object.size(), c.keys.size()) << c.members << " after " << before;
      for (std::size_t i = 0; i < c.keys.size(); ++i) EXPECT_EQ(object.keyAt(i), c.keys[i]);
      EXPECT_EQ(object[c.keys[0]].text(), c.lastOfFirstKey);
    }
  }
}

// Answers repeat the same long keys in every element; each element still reads its own values,
// in large objects too (merged through a hash index) and past the growth of the key table.
TEST(Layout, ManyObjectsSharingLongKeys) {
  std::string text = "[";
  for (int i = 0; i < 300; ++i) {
    text += i ? ",{" : "{";
    for (int k = 0; k <= i % 50; ++k) {
      text += (k ? ",\"" : "\"") + std::string("member-key-number-") + std::to_string(k) +
              "\":" + std::to_string(i * 100 + k);
    }
    // Every object ends with a repeat of its first key.
    text += ",\"member-key-number-0\":\"last\"}";
  }
  text += "]";
  Value v = parse(text);
  ASSERT_EQ(v.size(), 300u);
  for (int i = 0; i < 300; ++i) {
    Value object = v[i];
    ASSERT_EQ(object.size(), std::size_t(i % 50 + 1)) << i;
    EXPECT_EQ(object.keyAt(0), "member-key-number-0");
    EXPECT_EQ(object["member-key-number-0"].str(), "last");
    int k = i % 50;
    if (k > 0) {
      EXPECT_EQ(object["member-key-number-" + std::to_string(k)].intValue(), i * 100 + k);
    }
  }
  EXPECT_EQ(parse(*JSONRepresentation(v)), v);
}

// Keys that agree in their first and last eight bytes are still told apart.
TEST(Layout, KeysAlikeAtBothEnds) {
  std::vector<std::string> keys;
  for (int i = 0; i < 1000; ++i) keys.push_back("prefix--" + std::to_string(1000 + i));
  for (char c = '0'; c <= '9'; ++c) keys.push_back("aaaaaaaa" + std::string(3, c) + "bbbbbbbb");
  std::string text = "{";
  for (std::size_t i = 0; i < keys.size(); ++i) {
    text += (i ? ",\"" : "\"") + keys[i] + "\":" + std::to_string(i);
  }
  Value v = parse(text + "}");
  ASSERT_EQ(v.size(), keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(v.keyAt(i), keys[i]);
    EXPECT_EQ(v[keys[i]].intValue(), static_cast<long long>(i));
  }
}

TEST(Layout, EmptyContainersAndLiterals) {
  Value v = parse("[[],{},[[]],{\"e\":{}},null,true,false]");
  EXPECT_EQ(v, Value::array({Value::array(), Value::object(), Value::array({Value::array()}),
                             Value::object({{"e", Value::object()}}), Value(nullptr), Value(true),
                             Value(false)}));
  EXPECT_TRUE(v[0].isArray());
  EXPECT_TRUE(v[1].isObject());
  EXPECT_FALSE(v[0] == v[1]);
  EXPECT_EQ(v[3]["e"].size(), 0u);
  EXPECT_TRUE(v[5].boolValue());
  EXPECT_EQ(v[6].describe(), "0");
}

}  // namespace
}  // namespace kelda::json
