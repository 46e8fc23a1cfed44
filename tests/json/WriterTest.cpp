// Writer: escaping, key order and sorting, the human-readable layout, failures and depth.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "json/SBJson.hpp"

namespace kelda::json {
namespace {

std::string fragment(const Value& v, bool pretty = false, bool sorted = false) {
  SBJsonWriter writer;
  writer.humanReadable = pretty;
  writer.sortKeys = sorted;
  auto text = writer.stringWithFragment(v);
  EXPECT_TRUE(text.has_value()) << (writer.lastError() ? writer.lastError()->description : "");
  return text.value_or("<failed>");
}

TEST(Writer, Scalars) {
  EXPECT_EQ(fragment(Value(nullptr)), "null");
  EXPECT_EQ(fragment(Value(true)), "true");
  EXPECT_EQ(fragment(Value(false)), "false");
  EXPECT_EQ(fragment(Value(42)), "42");
  EXPECT_EQ(fragment(Value(-7LL)), "-7");
  EXPECT_EQ(fragment(Value(18446744073709551615ULL)), "18446744073709551615");
  EXPECT_EQ(fragment(Value(0.1)), "0.1");
  EXPECT_EQ(fragment(Value(-2.5e-300)), "-2.5e-300");
  EXPECT_EQ(fragment(Value::numberFromText("1.0e+999")), "1.0e+999");
  EXPECT_EQ(fragment(Value::numberFromText("-0")), "-0");
}

TEST(Writer, StringEscapes) {
  EXPECT_EQ(fragment(Value("a\"b\\c")), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(fragment(Value("\b\t\n\f\r")), "\"\\b\\t\\n\\f\\r\"");
  EXPECT_EQ(fragment(Value(std::string("\x01\x1f\x0b", 3))), "\"\\u0001\\u001f\\u000b\"");
  EXPECT_EQ(fragment(Value(std::string(1, '\0'))), "\"\\u0000\"");
  EXPECT_EQ(fragment(Value("a/b")), "\"a/b\"");
  EXPECT_EQ(fragment(Value("caf\xC3\xA9 \xF0\x9F\x98\x80 \x7f")),
            "\"caf\xC3\xA9 \xF0\x9F\x98\x80 \x7f\"");
  EXPECT_EQ(fragment(Value("")), "\"\"");
}

TEST(Writer, EscapesAtEveryOffsetOfABlock) {
  for (std::size_t n = 0; n < 40; ++n) {
    std::string run(n, 'a');
    EXPECT_EQ(fragment(Value(run + "\"" + run)), "\"" + run + "\\\"" + run + "\"") << n;
    EXPECT_EQ(fragment(Value(run + "\x01")), "\"" + run + "\\u0001\"") << n;
    EXPECT_EQ(fragment(Value(run + "\xC3\xA9\n")), "\"" + run + "\xC3\xA9\\n\"") << n;
    SBJsonWriter writer;
    EXPECT_FALSE(writer.stringWithFragment(Value(run + "\xC3")).has_value()) << n;
  }
}

TEST(Writer, CompactKeepsInsertionOrder) {
  Value v = Value::object({{"zeta", 1},
                           {"alpha", Value::array({Value("x"), Value(nullptr)})},
                           {"mid", Value::object()}});
  EXPECT_EQ(fragment(v), "{\"zeta\":1,\"alpha\":[\"x\",null],\"mid\":{}}");
  EXPECT_EQ(fragment(v, false, true), "{\"alpha\":[\"x\",null],\"mid\":{},\"zeta\":1}");
  // Plain byte order: upper case before lower case, shorter prefix first.
  Value keys = Value::object({{"b", 1}, {"B", 2}, {"ba", 3}, {"", 4}});
  EXPECT_EQ(fragment(keys, false, true), "{\"\":4,\"B\":2,\"b\":1,\"ba\":3}");
}

TEST(Writer, HumanReadableLayout) {
  Value v = Value::object({{"b", Value::array({Value(1), Value::object({{"c", Value(true)}})})},
                           {"a", Value::array()},
                           {"e", Value::object()}});
  EXPECT_EQ(fragment(v, true),
            "{\n"
            "  \"b\" : [\n"
            "    1,\n"
            "    {\n"
            "      \"c\" : true\n"
            "    }\n"
            "  ],\n"
            "  \"a\" : [],\n"
            "  \"e\" : {}\n"
            "}");
  EXPECT_EQ(fragment(v, true, true),
            "{\n  \"a\" : [],\n  \"b\" : [\n    1,\n    {\n      \"c\" : true\n    }\n  ],\n"
            "  \"e\" : {}\n}");
  EXPECT_EQ(fragment(Value::array(), true), "[]");
  EXPECT_EQ(fragment(Value("x"), true), "\"x\"");
}

TEST(Writer, UnwritableValues) {
  SBJsonWriter writer;
  EXPECT_FALSE(writer.stringWithFragment(Value()).has_value());
  EXPECT_EQ(writer.lastError()->code, 1);
  EXPECT_EQ(writer.lastError()->description, "JSON serialisation not supported for (null)");

  EXPECT_FALSE(writer.stringWithFragment(Value(std::nan(""))).has_value());
  EXPECT_EQ(writer.lastError()->description, "JSON serialisation not supported for nan");
  EXPECT_FALSE(
      writer.stringWithFragment(Value(std::numeric_limits<double>::infinity())).has_value());
  EXPECT_EQ(writer.lastError()->description, "JSON serialisation not supported for inf");
  EXPECT_FALSE(writer.stringWithFragment(Value::numberFromText("12abc")).has_value());
  EXPECT_EQ(writer.lastError()->code, 1);
  EXPECT_FALSE(writer.stringWithFragment(Value(std::string("\xFF"))).has_value());
  EXPECT_EQ(writer.lastError()->code, 1);

  // Objects name the key whose value failed; arrays add nothing.
  Value v =
      Value::object({{"outer", Value::array({Value(1), Value::object({{"inner", Value()}})})}});
  EXPECT_FALSE(writer.stringWithObject(v).has_value());
  const auto& trace = writer.errorTrace();
  ASSERT_EQ(trace.size(), 3u);
  EXPECT_EQ(trace[0]->description, "JSON serialisation not supported for (null)");
  EXPECT_EQ(trace[1]->description, "Unsupported value for key inner in object");
  EXPECT_EQ(trace[2]->description, "Unsupported value for key outer in object");
  EXPECT_EQ(trace[2]->underlying, trace[1]);

  EXPECT_FALSE(writer.stringWithObject(Value::object({{std::string("k\xC3"), 1}})).has_value());
  EXPECT_EQ(writer.lastError()->description, "JSON object key must be string");
}

TEST(Writer, StringWithObjectWantsAContainer) {
  SBJsonWriter writer;
  for (const Value& v : {Value("x"), Value(1), Value(nullptr), Value(true), Value()}) {
    EXPECT_FALSE(writer.stringWithObject(v).has_value());
    EXPECT_EQ(writer.lastError()->code, 4);
    EXPECT_EQ(writer.lastError()->description, "Not valid type for JSON");
  }
  EXPECT_EQ(writer.stringWithObject(Value::array()).value(), "[]");
  EXPECT_TRUE(writer.errorTrace().empty());
}

TEST(Writer, DepthLimit) {
  auto nest = [](int depth) {
    Value v = Value::array();
    for (int i = 1; i < depth; ++i) v = Value::array({v});
    return v;
  };
  SBJsonWriter writer;
  EXPECT_TRUE(writer.stringWithObject(nest(512)).has_value());
  EXPECT_FALSE(writer.stringWithObject(nest(513)).has_value());
  EXPECT_EQ(writer.lastError()->code, 7);
  EXPECT_EQ(writer.lastError()->description, "Nested too deep");
  writer.maxDepth = 0;
  EXPECT_TRUE(writer.stringWithObject(nest(513)).has_value());
  // A hand-built chain of 100,000 levels is written and freed without recursion.
  Value deep = nest(100000);
  auto text = writer.stringWithObject(deep);
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(text->size(), 200000u);
}

struct Basket : JsonProxy {
  Value proxyForJson() const override { return Value::object({{"items", Value::array()}}); }
};
struct Count : JsonProxy {
  Value proxyForJson() const override { return Value(3); }
};

TEST(Writer, ProxiesAreWrittenAsTheirSubstitute) {
  SBJsonWriter writer;
  EXPECT_EQ(writer.stringWithObject(Basket()).value(), "{\"items\":[]}");
  EXPECT_EQ(writer.stringWithFragment(Count()).value(), "3");
  EXPECT_FALSE(writer.stringWithObject(Count()).has_value());
  EXPECT_EQ(writer.lastError()->code, 4);
}

TEST(Writer, OutputReadsBackEqual) {
  SBJsonParser parser;
  std::string text =
      "{\"a\":[1,-0,1.0e+999,\"\\u0001\\\"\\\\/\\n\xC3\xA9\",true,false,null,{},[]],\"b\":{\"c\":"
      "\"\\ud83d\\ude00\"}}";
  Value v = parser.objectWithString(text);
  ASSERT_TRUE(v.isObject());
  for (bool pretty : {false, true}) {
    std::string written = fragment(v, pretty);
    EXPECT_EQ(parser.objectWithString(written), v) << written;
  }
}

}  // namespace
}  // namespace kelda::json
