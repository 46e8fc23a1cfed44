// Launch and the tab shell end to end: kelda-cli scripts against kelda-middleware, a first
// launch with its prompt, a later launch without it, the tabs, help, and script errors.
#include <gtest/gtest.h>

#include <filesystem>

#include "e2e/E2eFixture.hpp"

namespace kelda::test {
namespace {

using LaunchScenario = E2eFixture;

const char* const kPrompt =
    "Alert:\n  Set up mobile profile\n  alert.button.0 [Now]  alert.button.1 [Later]\n";

TEST_F(LaunchScenario, FirstLaunchPromptsAndTheTabsSwitch) {
  const CliRun run = cli().run(
      "# first launch: answer the prompt, then visit the tabs\n"
      "alert Later\n"
      "tab search\n"
      "tab 2\n"
      "tab offers\n"
      "tab more\n"
      "tab home\n"
      "quit\n",
      home());
  ASSERT_EQ(run.status, 0) << run.describe();
  EXPECT_EQ(run.err, "");
  // The launch screen: the home tab selected under the prompt.
  EXPECT_EQ(run.out.rfind("Tabs: tab.0 [home] | tab.1 search | tab.2 my bag", 0), 0u) << run.out;
  const std::string launch = run.out.substr(0, run.out.find("> alert Later\n"));
  EXPECT_NE(launch.find(kPrompt), std::string::npos) << launch;
  // "Later" only closes the prompt.
  const std::string later = run.after("alert Later");
  EXPECT_EQ(later.find("Alert:"), std::string::npos) << later;
  EXPECT_NE(later.find("tab.0 [home]"), std::string::npos) << later;

  EXPECT_NE(run.after("tab search").find("tab.1 [search]"), std::string::npos) << run.out;
  EXPECT_NE(run.after("tab 2").find("tab.2 [my bag"), std::string::npos) << run.out;
  EXPECT_NE(run.after("tab offers").find("tab.3 [offers]"), std::string::npos) << run.out;
  const std::string more = run.after("tab more");
  EXPECT_NE(more.find("tab.4 [more]"), std::string::npos) << more;
  EXPECT_NE(more.find("== More =="), std::string::npos) << more;
  EXPECT_NE(run.after("tab home").find("tab.0 [home]"), std::string::npos) << run.out;
  EXPECT_TRUE(std::filesystem::exists(home() / "launch.plist"));
}

TEST_F(LaunchScenario, LaterLaunchWithTheSameHomeHasNoPrompt) {
  const CliRun first = cli().run("alert Later\nquit\n", home());
  ASSERT_EQ(first.status, 0) << first.describe();
  const CliRun second = cli().run("show\nquit\n", home());
  ASSERT_EQ(second.status, 0) << second.describe();
  EXPECT_EQ(second.out.find("Set up mobile profile"), std::string::npos) << second.out;
  EXPECT_EQ(second.out.find("Alert:"), std::string::npos) << second.out;
  EXPECT_NE(second.after("show").find("tab.0 [home]"), std::string::npos) << second.out;
  // Another documents directory is a first launch again.
  const CliRun fresh = cli().run("quit\n", home("other"));
  EXPECT_NE(fresh.out.find(kPrompt), std::string::npos) << fresh.describe();
}

TEST_F(LaunchScenario, HelpListsTheCommands) {
  const CliRun run = cli().run("alert Later\nhelp\n", home());
  ASSERT_EQ(run.status, 0) << run.describe();
  const std::string help = run.after("help");
  for (const char* line :
       {"  tab N|TITLE ", "  tap TARGET ", "  type TARGET TEXT ", "  return TARGET ",
        "  search TEXT ", "  pick TARGET ROW... ", "  done, cancel ", "  alert BUTTON ", "  back ",
        "  page N ", "  wait ", "  wait SECONDS ", "  show ", "  json ", "  help ", "  quit "}) {
    EXPECT_NE(help.find(std::string("\n") + line), std::string::npos) << line << "\n" << help;
  }
}

TEST_F(LaunchScenario, ScriptErrorsEndTheRunWithStatusTwo) {
  const CliRun unknown = cli().run("alert Later\nfrobnicate now\ntab 1\n", home("a"));
  EXPECT_EQ(unknown.status, 2) << unknown.describe();
  EXPECT_EQ(unknown.err, "kelda-cli: Unknown command \"frobnicate\" (type help for the list)\n");
  EXPECT_TRUE(unknown.out.ends_with("\n> frobnicate now\n")) << unknown.out;

  const CliRun target = cli().run("alert Later\ntap Nowhere\ntab 1\n", home("b"));
  EXPECT_EQ(target.status, 2) << target.describe();
  EXPECT_EQ(target.err, "kelda-cli: No element \"Nowhere\" on the screen\n");
  EXPECT_EQ(target.out.find("> tab 1"), std::string::npos) << target.out;

  const CliRun tab = cli().run("alert Later\ntab 9\n", home("c"));
  EXPECT_EQ(tab.status, 2) << tab.describe();
  EXPECT_TRUE(tab.err.starts_with("kelda-cli: ")) << tab.err;

  // Nothing is left running: each run ended by itself, well before its time limit.
  EXPECT_FALSE(unknown.timedOut || target.timedOut || tab.timedOut);
}

}  // namespace
}  // namespace kelda::test
