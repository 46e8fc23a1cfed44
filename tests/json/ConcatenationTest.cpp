// Value::concatenated: arrays that share their operands behave like the flat array of the same
// elements in every Value operation, however many concatenations they are made of.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "json/SBJson.hpp"

namespace kelda::json {
namespace {

Value flatArray(int first, int count) {
  std::vector<Value> items;
  for (int i = first; i < first + count; ++i) items.emplace_back(i);
  return Value::array(std::move(items));
}

// Checks every reading of `joined` against `flat`, element by element and as a whole.
void expectSameArray(const Value& joined, const Value& flat) {
  ASSERT_TRUE(joined.isArray());
  ASSERT_EQ(joined.size(), flat.size());
  for (std::size_t i = 0; i < flat.size(); ++i) {
    ASSERT_EQ(joined[i], flat[i]) << "element " << i;
    ASSERT_EQ(joined.valueAt(i).describe(), flat.valueAt(i).describe()) << "element " << i;
  }
  EXPECT_TRUE(joined[flat.size()].isAbsent());
  std::size_t seen = 0;
  for (Value item : joined.items()) EXPECT_EQ(item, flat[seen++]);
  EXPECT_EQ(seen, flat.size());
  EXPECT_TRUE(joined == flat);
  EXPECT_TRUE(flat == joined);
  EXPECT_EQ(joined.describe(), flat.describe());
  EXPECT_EQ(JSONRepresentation(joined), JSONRepresentation(flat));
  SBJsonWriter pretty;
  pretty.humanReadable = true;
  EXPECT_EQ(pretty.stringWithObject(joined), pretty.stringWithObject(flat));
}

TEST(Concatenation, ParsedAndBuiltOperandsReadLikeTheFlatArray) {
  Value first = JSONValue(R"([{"prodId":"1"},"two",3,null,true])");
  Value second = Value::array({Value("six"), Value::object({{"prodId", "7"}}), Value(8)});
  Value joined = Value::concatenated(first, second);
  Value flat = JSONValue(R"([{"prodId":"1"},"two",3,null,true,"six",{"prodId":"7"},8])");
  expectSameArray(joined, flat);
  EXPECT_EQ(*JSONRepresentation(joined),
            R"([{"prodId":"1"},"two",3,null,true,"six",{"prodId":"7"},8])");
  EXPECT_EQ(joined.describe(),
            "(\n    {\n        prodId = 1;\n    },\n    two,\n    3,\n    <null>,\n    1,\n"
            "    six,\n    {\n        prodId = 7;\n    },\n    8\n)");
  EXPECT_NE(joined, Value::concatenated(second, first));
  EXPECT_NE(joined, first);
  // The operands are unchanged.
  EXPECT_EQ(first.size(), 5u);
  EXPECT_EQ(second.size(), 3u);
}

TEST(Concatenation, EmptyAndNonArrayOperandsCountAsEmpty) {
  Value items = flatArray(0, 3);
  EXPECT_EQ(Value::concatenated(items, Value::array()), items);
  EXPECT_EQ(Value::concatenated(Value(), items), items);
  EXPECT_EQ(Value::concatenated(Value::object({{"a", 1}}), items), items);
  EXPECT_EQ(Value::concatenated(items, Value("text")), items);
  Value nothing = Value::concatenated(Value(), Value::null());
  EXPECT_TRUE(nothing.isArray());
  EXPECT_TRUE(nothing.empty());
  EXPECT_EQ(*JSONRepresentation(nothing), "[]");
}

TEST(Concatenation, LongChainsAndJoinsOfSegmentedLists) {
  Value joined;
  for (int page = 0; page < 200; ++page) {
    joined = Value::concatenated(joined, flatArray(page * 3, 3));
  }
  expectSameArray(joined, flatArray(0, 600));
  // Two concatenations joined together, and the building helpers on the result.
  Value both =
      Value::concatenated(joined, Value::concatenated(flatArray(600, 2), flatArray(602, 2)));
  expectSameArray(both, flatArray(0, 604));
  expectSameArray(both.appended(604), flatArray(0, 605));
  Value wrapped = Value::object({{"data", both}}).with("n", 1);
  EXPECT_EQ(wrapped["data"], flatArray(0, 604));
  EXPECT_EQ(Value::array({both, both}), Value::array({flatArray(0, 604), flatArray(0, 604)}));
}

TEST(Concatenation, JoiningManySegmentsCopiesIntoOneArray) {
  // Segments of falling lengths 40, 39, ..., 1 stay apart; two such lists joined exceed the
  // segment bound and are copied into one flat array.
  Value falling;
  std::vector<Value> items;
  for (int length = 40, next = 0; length > 0; next += length--) {
    falling = Value::concatenated(falling, flatArray(next, length));
  }
  Value twice = Value::concatenated(falling, falling);
  for (int round = 0; round < 2; ++round) {
    for (Value item : flatArray(0, 820).items()) items.push_back(item);
  }
  expectSameArray(falling, flatArray(0, 820));
  expectSameArray(twice, Value::array(std::move(items)));
}

TEST(Concatenation, HundredThousandSingleElementAppends) {
  Value joined = Value::array();
  for (int i = 0; i < 100000; ++i) joined = Value::concatenated(joined, Value::array({Value(i)}));
  ASSERT_EQ(joined.size(), 100000u);
  for (std::size_t i : {0u, 1u, 63u, 64u, 65u, 4095u, 50000u, 99999u}) {
    EXPECT_EQ(joined[i].intValue(), static_cast<long long>(i));
  }
  EXPECT_EQ(joined, flatArray(0, 100000));
}

TEST(Concatenation, DeeplyNestedChainsAreComparedAndFreedWithoutRecursion) {
  // Each level is an array holding the previous level, concatenated with one number.
  auto build = [] {
    Value nested = Value::array();
    for (int i = 0; i < 100000; ++i) {
      nested = Value::concatenated(Value::array({nested}), Value::array({Value(i)}));
    }
    return nested;
  };
  Value a = build();
  Value b = build();
  EXPECT_EQ(a.size(), 2u);
  EXPECT_EQ(a[1].intValue(), 99999);
  EXPECT_EQ(a[std::size_t{0}][1].intValue(), 99998);
  EXPECT_TRUE(a == b);
  SBJsonWriter writer;
  EXPECT_FALSE(writer.stringWithObject(a).has_value());  // deeper than the writer allows
}

}  // namespace
}  // namespace kelda::json
