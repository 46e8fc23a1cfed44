// json::Value: access, leading-digits readings, describe(), building and equality.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "json/SBJson.hpp"

namespace kelda::json {
namespace {

Value parse(std::string_view text) {
  SBJsonParser parser;
  parser.maxDepth = 0;
  return parser.fragmentWithString(text);
}

TEST(Value, AccessByKeyAndIndex) {
  Value v = parse("{\"data\":[{\"id\":\"7\"},2],\"extra\":null,\"flag\":true}");
  EXPECT_TRUE(v.isObject());
  EXPECT_EQ(v["data"][0]["id"].str(), "7");
  EXPECT_EQ(v["data"][1].intValue(), 2);
  EXPECT_TRUE(v["missing"].isAbsent());
  EXPECT_TRUE(v["data"][5].isAbsent());
  EXPECT_TRUE(v["data"][-1].isAbsent());
  EXPECT_TRUE(v["data"]["id"].isAbsent());
  EXPECT_TRUE(v[0].isAbsent());
  EXPECT_TRUE(v["missing"]["deeper"][3].isAbsent());
  EXPECT_TRUE(v["extra"].isNull());
  EXPECT_FALSE(static_cast<bool>(v["extra"]));
  EXPECT_FALSE(static_cast<bool>(v["missing"]));
  EXPECT_TRUE(static_cast<bool>(v["flag"]));
  EXPECT_TRUE(v.contains("extra"));
  EXPECT_FALSE(v.contains("nope"));
  EXPECT_EQ(v.size(), 3u);
  EXPECT_EQ(v["flag"].size(), 0u);
  EXPECT_EQ(v["data"].keyAt(0), "");

  std::vector<std::string> keys;
  for (auto [key, value] : v.members()) keys.emplace_back(key);
  EXPECT_EQ(keys, (std::vector<std::string>{"data", "extra", "flag"}));
  int items = 0;
  for (Value item : v["data"].items()) items += item.isAbsent() ? 0 : 1;
  EXPECT_EQ(items, 2);
  EXPECT_EQ(v.items().size(), 0u);
}

TEST(Value, ChildrenOutliveTheirDocument) {
  Value child;
  {
    Value doc = parse("{\"a\":{\"b\":[\"kept\"]}}");
    child = doc["a"]["b"];
  }
  EXPECT_EQ(child[0].str(), "kept");
}

TEST(Value, LeadingDigitsReadings) {
  struct Case {
    Value v;
    long long i;
    double d;
  } cases[] = {
      {Value("42abc"), 42, 42},
      {Value("  -17.9kg"), -17, -17.9},
      {Value("+5"), 5, 5},
      {Value("abc"), 0, 0},
      {Value(""), 0, 0},
      {Value(".5"), 0, 0.5},
      {Value("3e2"), 3, 300},
      {Value("3e"), 3, 3},
      {parse("1.0e+999"), 1, std::numeric_limits<double>::infinity()},
      {parse("-1e999"), -1, -std::numeric_limits<double>::infinity()},
      {parse("1e-999"), 1, 0},
      {parse("-0"), 0, 0},
      {parse("12345678901234567890"), std::numeric_limits<long long>::max(), 1.2345678901234567e19},
      {parse("-92233720368547758080"), std::numeric_limits<long long>::min(),
       -9.2233720368547758e19},
      {parse("9223372036854775807"), std::numeric_limits<long long>::max(),
       9.223372036854775807e18},
      {Value(true), 1, 1},
      {Value(false), 0, 0},
      {Value(nullptr), 0, 0},
      {Value(), 0, 0},
      {Value::array({Value(3)}), 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.v.intValue(), c.i) << c.v.describe();
    EXPECT_DOUBLE_EQ(c.v.doubleValue(), c.d) << c.v.describe();
  }
}

TEST(Value, TruthReadings) {
  for (const Value& yes : {Value(true), Value("YES"), Value("yes"), Value("T"), Value(" 007"),
                           Value("-1"), parse("0.5"), Value(2)}) {
    EXPECT_TRUE(yes.boolValue()) << yes.describe();
  }
  for (const Value& no : {Value(false), Value("NO"), Value("false"), Value("000"), Value(""),
                          parse("0.0"), Value(0), Value(nullptr), Value(), Value::object()}) {
    EXPECT_FALSE(no.boolValue()) << no.describe();
  }
}

TEST(Value, Describe) {
  EXPECT_EQ(Value().describe(), "(null)");
  EXPECT_EQ(Value(nullptr).describe(), "<null>");
  EXPECT_EQ(Value(true).describe(), "1");
  EXPECT_EQ(Value(false).describe(), "0");
  EXPECT_EQ(Value("a \"b\"").describe(), "a \"b\"");
  EXPECT_EQ(parse("1.50").describe(), "1.50");
  EXPECT_EQ(Value::array().describe(), "()");
  EXPECT_EQ(Value::object().describe(), "{}");
  Value v = parse("{\"name\":\"two words\",\"list\":[1,\"x\",null,{}],\"o\":{\"k\":true}}");
  EXPECT_EQ(v.describe(),
            "{\n"
            "    name = \"two words\";\n"
            "    list = (\n"
            "        1,\n"
            "        x,\n"
            "        <null>,\n"
            "        {}\n"
            "    );\n"
            "    o = {\n"
            "        k = 1;\n"
            "    };\n"
            "}");
}

TEST(Value, BuildingMakesNewValues) {
  Value base = Value::object({{"a", 1}, {"b", 2}, {"a", 3}});
  ASSERT_EQ(base.size(), 2u);
  EXPECT_EQ(base.keyAt(0), "a");
  EXPECT_EQ(base["a"].intValue(), 3);

  Value changed = base.with("b", "two").with("c", nullptr);
  EXPECT_EQ(base["b"].intValue(), 2);  // the original is unchanged
  EXPECT_EQ(changed["b"].str(), "two");
  EXPECT_EQ(changed.keyAt(1), "b");
  EXPECT_TRUE(changed["c"].isNull());
  EXPECT_EQ(changed.without("a").keyAt(0), "b");
  EXPECT_EQ(changed.without("zz").size(), 3u);
  EXPECT_EQ(Value().with("k", 1)["k"].intValue(), 1);

  Value list = Value::array({Value(1)}).appended("x");
  EXPECT_EQ(list.size(), 2u);
  EXPECT_EQ(list[1].str(), "x");
  Value parsed = parse("{\"p\":[1]}");
  EXPECT_EQ(parsed.with("q", parsed["p"].appended(2))["q"][1].intValue(), 2);
  EXPECT_EQ(Value((const char*)nullptr).type(), Type::Absent);
}

TEST(Value, Equality) {
  EXPECT_EQ(
      parse("{\"a\":[1,\"x\",null,true]}"),
      Value::object({{"a", Value::array({Value(1), Value("x"), Value(nullptr), Value(true)})}}));
  EXPECT_EQ(parse("{\"a\":1,\"b\":2}"), parse("{\"b\":2,\"a\":1}"));
  EXPECT_FALSE(parse("1.0") == parse("1"));  // numbers compare by their text
  EXPECT_FALSE(parse("[1,2]") == parse("[2,1]"));
  EXPECT_FALSE(parse("{\"a\":1}") == parse("{\"b\":1}"));
  EXPECT_FALSE(Value() == Value(nullptr));
  EXPECT_EQ(Value(), Value());
  EXPECT_FALSE(Value("1") == Value(1));
}

}  // namespace
}  // namespace kelda::json
