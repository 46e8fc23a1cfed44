// kelda-cli as a person runs it: the built program, a script, a fake middleware on loopback
// and a temporary documents directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "json/SBJson.hpp"
#include "support/FakeMiddleware.hpp"
#include "support/Programs.hpp"
#include "support/TempDirectory.hpp"

namespace kelda::test {
namespace {

class KeldaCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (binDirectory().empty()) GTEST_SKIP() << "KELDA_BIN is not set (run through ctest)";
  }

  // Runs a script, each time as a first launch with a documents directory of its own.
  CliRun run(const std::string& script, const std::vector<std::string>& extra = {}) {
    return cli.run(script, home(++runs), std::chrono::seconds(60), extra);
  }
  std::filesystem::path home(int run) const { return dir / ("home" + std::to_string(run)); }

  int runs = 0;
  FakeMiddleware server;
  TempDirectory dir;
  KeldaCli cli{server.address(), server.address(), dir.path()};
};

TEST_F(KeldaCliTest, ScriptDrivesTheClientAndPrintsEachScreen) {
  CliRun r = run("# first launch\nalert Later\ntab my bag\nshow\nquit\ntab 0\n");
  EXPECT_EQ(r.status, 0) << r.describe();
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
  EXPECT_TRUE(std::filesystem::exists(home(runs) / "launch.plist"));
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
  std::filesystem::create_directories(home(1));
  CliRun r = cli.runWithArguments(
      {"--server", server.address(), "--home", home(1).string(), "--json", "--script", "-"},
      cli.writeFile("alert 1\njson\n"));
  ASSERT_EQ(r.status, 0) << r.describe();
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

TEST_F(KeldaCliTest, BadCommandLinesAreRefused) {
  CliRun unreadable = cli.runWithArguments({"--script", dir.path().string()});
  EXPECT_EQ(unreadable.status, 2);
  EXPECT_EQ(unreadable.err, "kelda-cli: Cannot read the script " + dir.path().string() + "\n");
  CliRun clock = cli.runWithArguments({"--clock", "sundial"});
  EXPECT_NE(clock.status, 0);
  EXPECT_NE(clock.err.find("--clock"), std::string::npos) << clock.err;
  // A position that is not one stops the program at start, naming the option.
  for (const char* position : {"40.7484", "91,0", "40.7,-180.5", "north,east", "40.7;-73.9", ""}) {
    CliRun refused = cli.runWithArguments({"--position", position});
    EXPECT_EQ(refused.status, 2) << position;
    EXPECT_EQ(refused.err, std::string("kelda-cli: --position: \"") + position +
                               "\" is not a position; give LAT,LON in degrees, latitude -90 to 90 "
                               "and longitude -180 to 180 (e.g. 40.7484,-73.9857)\n");
  }
  CliRun help = cli.runWithArguments({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--position LAT,LON"), std::string::npos) << help.out;
}

}  // namespace
}  // namespace kelda::test
