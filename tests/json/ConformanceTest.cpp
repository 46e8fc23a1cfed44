// The public JSON parsing conformance cases: y_ accepted, n_ refused with an error, i_ never
// crashing; read as an object, scalar tops give error 4. Missing cases fail the test.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "json/ConformanceCases.hpp"
#include "json/SBJson.hpp"

namespace kelda::json {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

TEST(Conformance, ParsingCases) {
  std::string missing = testing::missingConformanceCases();
  ASSERT_TRUE(missing.empty()) << missing;
  fs::path dir = testing::conformanceCases();
  int seen = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    std::string name = entry.path().filename().string();
    if (entry.path().extension() != ".json") continue;
    std::string text = readFile(entry.path());
    SBJsonParser parser;
    Value fragment = parser.fragmentWithString(text);
    ++seen;
    if (name.starts_with("y_")) {
      EXPECT_FALSE(fragment.isAbsent()) << name << ": " << parser.lastError()->description;
      SBJsonParser objectParser;
      Value object = objectParser.objectWithString(text);
      if (fragment.isArray() || fragment.isObject()) {
        EXPECT_EQ(object, fragment) << name;
      } else {
        EXPECT_TRUE(object.isAbsent()) << name;
        ASSERT_NE(objectParser.lastError(), nullptr) << name;
        EXPECT_EQ(objectParser.lastError()->code, 4) << name;
      }
      // What was read writes and reads back equal.
      SBJsonWriter writer;
      auto written = writer.stringWithFragment(fragment);
      ASSERT_TRUE(written.has_value()) << name;
      EXPECT_EQ(parser.fragmentWithString(*written), fragment) << name;
    } else if (name.starts_with("n_")) {
      EXPECT_TRUE(fragment.isAbsent()) << name;
      EXPECT_NE(parser.lastError(), nullptr) << name;
    } else {
      EXPECT_TRUE(fragment.isAbsent() == (parser.lastError() != nullptr)) << name;
    }
  }
  EXPECT_GT(seen, 300);
}

}  // namespace
}  // namespace kelda::json
