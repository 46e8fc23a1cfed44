// kelda-json, run as a program over texts and over every conformance case.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "json/ConformanceCases.hpp"

namespace {

namespace fs = std::filesystem;

struct ToolRun {
  int status;
  std::string out;
};

fs::path tool() {
  const char* bin = std::getenv("KELDA_BIN");
  return fs::path(bin ? bin : ".") / "kelda-json";
}

std::string quoted(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// Runs kelda-json with `args` on the contents of `input` (a file path).
ToolRun run(const std::string& args, const fs::path& input) {
  std::string command = quoted(tool().string()) + " " + args + " < " + quoted(input.string());
  ToolRun result{-1, {}};
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  std::array<char, 4096> buffer;
  std::size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    result.out.append(buffer.data(), n);
  int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

class KeldaJsonTool : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(tool())) GTEST_SKIP() << "kelda-json not built at " << tool();
    dir = fs::temp_directory_path() / ("kelda-json-test-" + std::to_string(::getpid()));
    fs::create_directories(dir);
  }
  void TearDown() override {
    if (!dir.empty()) fs::remove_all(dir);
  }
  fs::path file(const std::string& text) {
    fs::path p = dir / ("in" + std::to_string(count++));
    std::ofstream(p, std::ios::binary) << text;
    return p;
  }
  fs::path dir;
  int count = 0;
};

TEST_F(KeldaJsonTool, WritesBackOrReportsTheErrorTrace) {
  EXPECT_EQ(run("", file("[1,]")).out, "error 9: Trailing comma disallowed in array\n");
  EXPECT_EQ(run("", file("[1,]")).status, 1);
  ToolRun ok = run("", file(" { \"b\" : [1, 2.50], \"a\" : \"\\u00e9\" } "));
  EXPECT_EQ(ok.status, 0);
  EXPECT_EQ(ok.out, "{\"b\":[1,2.50],\"a\":\"\xC3\xA9\"}\n");
  EXPECT_EQ(run("--sort-keys --pretty -", file("{\"b\":[1],\"a\":{}}")).out,
            "{\n  \"a\" : {},\n  \"b\" : [\n    1\n  ]\n}\n");
  EXPECT_EQ(run("", file("\"x\"")).out, "error 4: Valid fragment, but not JSON\n");
  EXPECT_EQ(run("--fragment", file("\"x\"")).out, "\"x\"\n");
  EXPECT_EQ(run("", file("")).out, "error 11: Unexpected end of string\n");
  EXPECT_EQ(run("", file("\"\xFF\"")).status, 1);
  EXPECT_EQ(run("--bogus", file("[]")).status, 2);
  fs::path named = file("[true]");
  EXPECT_EQ(run(quoted(named.string()), file("ignored")).out, "[true]\n");
  EXPECT_EQ(run(quoted((dir / "missing").string()), file("")).status, 2);
}

TEST_F(KeldaJsonTool, NestedFailuresShowTheirRootCause) {
  EXPECT_EQ(run("", file("[01]")).out,
            "error 3: Expected value while parsing array\n"
            "  caused by error 2: Leading 0 disallowed in number\n");
  ToolRun nested = run("", file("{\"a\":[1,{\"b\":tru}]}"));
  EXPECT_EQ(nested.status, 1);
  EXPECT_EQ(nested.out,
            "error 3: Object value expected for key: a\n"
            "  caused by error 3: Expected value while parsing array\n"
            "  caused by error 3: Object value expected for key: b\n"
            "  caused by error 3: Expected 'true'\n");
  EXPECT_EQ(run("", file("[\"\\ud800x\"]")).out,
            "error 3: Expected value while parsing array\n"
            "  caused by error 6: Missing low character in surrogate pair\n");
  EXPECT_EQ(run("", file("[\"\\u12G4\"]")).out,
            "error 3: Expected value while parsing array\n"
            "  caused by error 6: Missing hex quad\n"
            "  caused by error 6: Missing hex digit in quad\n");
}

TEST_F(KeldaJsonTool, ConformanceCases) {
  std::string missing = kelda::json::testing::missingConformanceCases();
  ASSERT_TRUE(missing.empty()) << missing;
  for (const auto& entry : fs::directory_iterator(kelda::json::testing::conformanceCases())) {
    std::string name = entry.path().filename().string();
    ToolRun r = run("--fragment", entry.path());
    if (name.starts_with("y_")) {
      EXPECT_EQ(r.status, 0) << name << ": " << r.out;
    } else if (name.starts_with("n_")) {
      EXPECT_EQ(r.status, 1) << name;
      EXPECT_TRUE(r.out.starts_with("error ")) << name;
    } else {
      EXPECT_TRUE(r.status == 0 || r.status == 1) << name;
    }
    if (r.status == 0) {
      // Its own output is accepted again, unchanged.
      EXPECT_EQ(run("--fragment", file(r.out)).out, r.out) << name;
    }
  }
}

}  // namespace
