// SBJSON facade and the convenience operations with their log lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "json/SBJson.hpp"

namespace kelda::json {
namespace {

TEST(Facade, ForwardsOptionsAndReportsTheLastError) {
  SBJSON json;
  EXPECT_EQ(json.maxDepth(), 512u);
  EXPECT_EQ(json.parser().maxDepth, 512u);
  EXPECT_FALSE(json.writer().humanReadable);
  EXPECT_FALSE(json.writer().sortKeys);

  std::shared_ptr<const Error> error;
  EXPECT_TRUE(json.objectWithString("[1,]", &error).isAbsent());
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(error->code, 9);
  EXPECT_EQ(error->description, "Trailing comma disallowed in array");
  EXPECT_EQ(json.fragmentWithString("\"s\"", &error).str(), "s");
  EXPECT_EQ(error, nullptr);
  EXPECT_TRUE(json.objectWithString("\"s\"", nullptr).isAbsent());

  json.setMaxDepth(1);
  EXPECT_EQ(json.writer().maxDepth, 1u);
  EXPECT_TRUE(json.objectWithString("[[]]", &error).isAbsent());
  EXPECT_EQ(error->underlying->code, 7);
  EXPECT_FALSE(json.stringWithObject(Value::array({Value::array()}), &error).has_value());
  EXPECT_EQ(error->code, 7);

  json.setMaxDepth(512);
  json.setHumanReadable(true);
  json.setSortKeys(true);
  Value v = Value::object({{"b", 1}, {"a", 2}});
  EXPECT_EQ(json.stringWithObject(v, &error).value(), "{\n  \"a\" : 2,\n  \"b\" : 1\n}");
  EXPECT_EQ(error, nullptr);
  EXPECT_FALSE(json.stringWithObject(Value(1), &error).has_value());
  EXPECT_EQ(error->description, "Not valid type for JSON");
  EXPECT_EQ(json.stringWithFragment(Value(1), &error).value(), "1");
}

class LogCapture : public ::testing::Test {
 protected:
  void SetUp() override {
    setLogHandler([this](std::string_view op, std::string_view message) {
      lines.emplace_back(std::string(op) + ":" + std::string(message));
    });
  }
  void TearDown() override { setLogHandler(nullptr); }
  std::vector<std::string> lines;
};

TEST_F(LogCapture, ConvenienceOperationsUseDefaultsAndLogFailures) {
  Value refinements = Value::object({{"BRAND", "A&B"}, {"PRICE", "1 - 2\n/"}});
  EXPECT_EQ(JSONFragment(refinements).value(), "{\"BRAND\":\"A&B\",\"PRICE\":\"1 - 2\\n/\"}");
  EXPECT_EQ(JSONRepresentation(Value::array({Value(1)})).value(), "[1]");
  EXPECT_EQ(JSONValue("{\"a\":1}")["a"].intValue(), 1);
  EXPECT_EQ(JSONFragmentValue("7").intValue(), 7);
  EXPECT_TRUE(lines.empty());

  EXPECT_FALSE(JSONRepresentation(Value("x")).has_value());
  EXPECT_FALSE(JSONFragment(Value()).has_value());
  EXPECT_TRUE(JSONValue("7").isAbsent());
  EXPECT_TRUE(JSONFragmentValue("[1,]").isAbsent());
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0],
            "JSONRepresentation:-JSONRepresentation failed. Error trace is: (\n"
            "    Error Domain=org.kelda.json Code=4 \"Not valid type for JSON\"\n)");
  EXPECT_EQ(lines[1],
            "JSONFragment:-JSONFragment failed. Error trace is: (\n"
            "    Error Domain=org.kelda.json Code=1 \"JSON serialisation not supported for "
            "(null)\"\n)");
  EXPECT_EQ(lines[2],
            "JSONValue:-JSONValue failed. Error trace is: (\n"
            "    Error Domain=org.kelda.json Code=4 \"Valid fragment, but not JSON\"\n)");
  EXPECT_EQ(lines[3],
            "JSONFragmentValue:-JSONFragmentValue failed. Error trace is: (\n"
            "    Error Domain=org.kelda.json Code=9 \"Trailing comma disallowed in array\"\n)");

  // Deep input with the default limit fails; the trace lists every level.
  EXPECT_TRUE(JSONValue(std::string(600, '[') + std::string(600, ']')).isAbsent());
  EXPECT_NE(lines.back().find("Code=7 \"Nested too deep\""), std::string::npos);
}

}  // namespace
}  // namespace kelda::json
