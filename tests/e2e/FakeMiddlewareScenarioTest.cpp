// kelda-cli end to end against the in-process fake middleware, where the exact requests the
// launch sends can be read back.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/FakeMiddleware.hpp"
#include "support/Programs.hpp"
#include "support/TempDirectory.hpp"

namespace kelda::test {
namespace {

class FakeMiddlewareScenario : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const std::string missing = missingPrograms(); !missing.empty()) GTEST_SKIP() << missing;
    fake.answer("/coremetrics_url", R"({"data":")" + fake.url("/tag?ci=90") + R"("})");
    fake.answer("/tag", "{}");
  }
  std::filesystem::path home() const { return dir.path() / "home"; }

  test::FakeMiddleware fake;
  test::TempDirectory dir;
  KeldaCli cli{fake.address(), fake.address(), dir.path()};
};

TEST_F(FakeMiddlewareScenario, LaunchFetchesTheAnalyticsAddressFirstThenTagsTheHomePage) {
  const CliRun run = cli.run("wait\nalert Later\nquit\n", home());
  ASSERT_EQ(run.status, 0) << run.describe();
  const auto requests = fake.requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests[0].method, "POST");
  EXPECT_EQ(requests[0].path, "/coremetrics_url");
  EXPECT_EQ(requests[0].query, "");
  EXPECT_EQ(requests[0].body, "");
  EXPECT_EQ(fake.requestsTo("/coremetrics_url").size(), 1u);  // once per launch

  const auto tags = fake.requestsTo("/tag");
  ASSERT_FALSE(tags.empty()) << run.describe();
  EXPECT_EQ(tags[0].method, "POST");
  EXPECT_EQ(tags[0].query, "ci=90&tid=1&pi=mobile.home.home&cg=MOBILE_HOME");
  EXPECT_EQ(tags[0].body, "");
}

TEST_F(FakeMiddlewareScenario, LaunchWithoutNetworkShowsNoTabsAndKeepsItFirst) {
  cli.setEnvironment("KELDA_REACHABILITY", "none");
  const CliRun offline = cli.run("show\nquit\n", home());
  ASSERT_EQ(offline.status, 0) << offline.describe();
  EXPECT_EQ(offline.out.find("Tabs:"), std::string::npos) << offline.out;
  EXPECT_EQ(offline.out.find("Set up mobile profile"), std::string::npos) << offline.out;
  EXPECT_FALSE(std::filesystem::exists(home() / "launch.plist"));

  // With the network back, the next launch is still the first one.
  cli.setEnvironment("KELDA_REACHABILITY", std::nullopt);
  const CliRun online = cli.run("quit\n", home());
  ASSERT_EQ(online.status, 0) << online.describe();
  EXPECT_NE(online.out.find("Alert:\n  Set up mobile profile\n"), std::string::npos) << online.out;
}

}  // namespace
}  // namespace kelda::test
