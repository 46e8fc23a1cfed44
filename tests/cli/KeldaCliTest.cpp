// kelda-cli as a person runs it: the built program, a script, a fake middleware on loopback
// and a temporary documents directory.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "json/SBJson.hpp"
#include "support/FakeMiddleware.hpp"
#include "support/TempDirectory.hpp"

namespace kelda::cli {
namespace {

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class KeldaCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* bin = std::getenv("KELDA_BIN");
    if (bin == nullptr) GTEST_SKIP() << "KELDA_BIN is not set (run through ctest)";
    program = std::filesystem::path(bin) / "kelda-cli";
  }

  // Runs kelda-cli with `script` (written to a file, or fed on standard input with "-"), each
  // time as a first launch with a documents directory of its own.
  CliRun run(const std::string& script, const std::string& extra = "", bool viaStdin = false) {
    ++runs;
    auto scriptFile = dir.path() / "script.txt";
    std::ofstream(scriptFile) << script;
    std::string command = "KELDA_REACHABILITY= '" + program.string() + "' --server " +
                          server.address() + " --home '" + home().string() + "' " + extra;
    command += viaStdin ? " --script - < '" + scriptFile.string() + "'"
                        : " --script '" + scriptFile.string() + "'";
    command +=
        " > '" + (dir.path() / "out").string() + "' 2> '" + (dir.path() / "err").string() + "'";
    int raw = std::system(command.c_str());
    CliRun result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = readFile(dir.path() / "out");
    result.err = readFile(dir.path() / "err");
    return result;
  }
  std::filesystem::path home() {
    auto path = dir.path() / ("home" + std::to_string(runs));
    std::filesystem::create_directories(path);
    return path;
  }

  std::filesystem::path program;
  int runs = 0;
  test::FakeMiddleware server;
  test::TempDirectory dir;
};

TEST_F(KeldaCliTest, ScriptDrivesTheClientAndPrintsEachScreen) {
  CliRun r = run("# first launch\nalert Later\ntab my bag\nshow\nquit\ntab 0\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  // The launch screen comes first, with the first-launch prompt.
  EXPECT_EQ(r.out.rfind("Tabs: tab.0 [home] | tab.1 search | tab.2 my bag", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("Alert:\n  Set up mobile profile\n  alert.button.0 [Now]  alert.button.1 "
                       "[Later]\n"),
            std::string::npos);
  EXPECT_NE(r.out.find("> tab my bag\nTabs: tab.0 home | tab.1 search | tab.2 [my bag"),
            std::string::npos);
  EXPECT_NE(r.out.find("> show\n"), std::string::npos);
  EXPECT_EQ(r.out.find("> tab 0"), std::string::npos);  // nothing runs after quit
  EXPECT_TRUE(std::filesystem::exists(home() / "launch.plist"));
}

TEST_F(KeldaCliTest, UnknownCommandOrTargetEndsTheScriptWithStatusTwo) {
  CliRun unknown = run("alert Later\nfrobnicate\ntab 2\n");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.err, "kelda-cli: Unknown command \"frobnicate\" (type help for the list)\n");
  EXPECT_EQ(unknown.out.find("> tab 2"), std::string::npos);
  // The failed command is echoed and no screen follows it.
  EXPECT_TRUE(unknown.out.ends_with("\n> frobnicate\n")) << unknown.out;

  CliRun target = run("alert Later\ntap Nowhere\n");
  EXPECT_EQ(target.status, 2);
  EXPECT_EQ(target.err, "kelda-cli: No element \"Nowhere\" on the screen\n");

  CliRun underAlert = run("tab search\n");
  EXPECT_EQ(underAlert.status, 2);
  EXPECT_EQ(underAlert.err, "kelda-cli: An alert is open; answer it first (alert BUTTON)\n");
}

TEST_F(KeldaCliTest, JsonScreensFromStandardInput) {
  CliRun r = run("alert 1\njson\n", "--json", true);
  ASSERT_EQ(r.status, 0) << r.err;
  std::istringstream lines(r.out);
  std::string line;
  int screens = 0;
  while (std::getline(lines, line)) {
    json::Value screen = json::JSONValue(line);
    ASSERT_TRUE(screen.isObject()) << line;
    EXPECT_EQ(screen["kind"].str(), "window");
    ++screens;
  }
  EXPECT_EQ(screens, 3);  // launch, after the alert, the json command
}

TEST_F(KeldaCliTest, UnreadableScriptIsRefused) {
  std::string command = "'" + program.string() + "' --script '" + dir.path().string() +
                        "' > /dev/null 2> '" + (dir.path() / "err").string() + "'";
  int raw = std::system(command.c_str());
  EXPECT_EQ(WEXITSTATUS(raw), 2);
  EXPECT_EQ(readFile(dir.path() / "err"),
            "kelda-cli: Cannot read the script " + dir.path().string() + "\n");
}

}  // namespace
}  // namespace kelda::cli
