// Sign-in, registration, forgotten password and sign-out end to end: kelda-cli scripts against
// kelda-middleware (and, for what a launch sends, against the in-process fake middleware).
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <mutex>
#include <string>

#include "bag/CoreDataHandler.hpp"
#include "e2e/E2eFixture.hpp"
#include "platform/Context.hpp"
#include "support/FakeMiddleware.hpp"

namespace kelda::test {
namespace {

using SignInScenario = E2eFixture;

const char* const kSignInAsDemo =
    "tap nav.left\n"
    "type field.email demo@kelda.test\n"
    "type field.password kelda123\n"
    "tap SIGN IN\n";

// Puts two of one article into the bag kept in `home`, as an earlier run would have.
void seedBag(const std::filesystem::path& home) {
  platform::Options options = platform::Options::defaults();
  options.home = home;
  platform::Context context(options);
  platform::ScopedContext scope(context);
  ASSERT_TRUE(bag::CoreDataHandler::sharedCoreDataHandler().addNewRowInEntityWithObject(
      "5", "2", "3.00", std::nullopt, std::nullopt));
}

std::string nextYear() {
  const auto today = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
  return std::to_string(static_cast<int>(std::chrono::year_month_day(today).year()) + 1);
}

TEST_F(SignInScenario, WrongPasswordShowsTheServersMessageAndTheEchoHidesIt) {
  const CliRun run = cli().run(
      "alert Later\n"
      "tap nav.left\n"
      "type field.email demo@kelda.test\n"
      "type field.password notkelda1\n"
      "tap SIGN IN\n"
      "quit\n",
      home());
  ASSERT_EQ(run.status, 0) << run.describe();
  EXPECT_NE(run.after("tap SIGN IN")
                .find("Alert:\n  The e-mail address or password you entered is incorrect. "
                      "Please try again.\n"),
            std::string::npos)
      << run.out;
  // The script's echo and the screen show bullets, never the password.
  EXPECT_NE(run.out.find("\n> type field.password \u2022\u2022\u2022\u2022\u2022\u2022\u2022"
                         "\u2022\u2022\n"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(run.out.find("notkelda1"), std::string::npos) << run.out;
  EXPECT_FALSE(std::filesystem::exists(home() / "login.plist"));
}

TEST_F(SignInScenario, DemoSignsInThenSilentlyAtTheNextLaunchAndSignsOutKeepingTheBag) {
  const CliRun first = cli().run(std::string("alert Later\n") + kSignInAsDemo + "quit\n", home());
  ASSERT_EQ(first.status, 0) << first.describe();
  const std::string signedIn = first.after("tap SIGN IN");
  EXPECT_NE(signedIn.find("== (logo.png) =="), std::string::npos) << signedIn;
  EXPECT_EQ(signedIn.find("[Sign In]"), std::string::npos) << signedIn;
  EXPECT_TRUE(std::filesystem::exists(home() / "login.plist"));

  seedBag(home());
  // The next launch signs in by itself: no screen asks for a password, the buttons are gone.
  const CliRun second = cli().run("show\ntab more\ntap logout\nquit\n", home());
  ASSERT_EQ(second.status, 0) << second.describe();
  const std::string launch = second.after("show");
  EXPECT_EQ(launch.find("[Sign In]"), std::string::npos) << launch;
  EXPECT_EQ(launch.find("Password"), std::string::npos) << launch;
  const std::string more = second.after("tab more");
  EXPECT_NE(more.find("row.0.0 my account >\n"), std::string::npos) << more;
  EXPECT_NE(more.find("row.3.0 logout >\n"), std::string::npos) << more;
  const std::string out = second.after("tap logout");
  EXPECT_NE(out.find("row.0.0 sign in >\n  row.1.0 register >\n"), std::string::npos) << out;
  EXPECT_NE(out.find("tab.2 my bag (2)"), std::string::npos) << out;
  EXPECT_FALSE(std::filesystem::exists(home() / "login.plist"));

  // The launch after that asks nobody in: not a single sign-in request, and the bag is there.
  FakeMiddleware fake;
  fake.answer("/coremetrics_url", R"({"data":")" + fake.url("/tag") + R"("})");
  fake.answer("/tag", "{}");
  TempDirectory scripts;
  const CliRun third =
      KeldaCli(fake.address(), fake.address(), scripts.path()).run("quit\n", home());
  ASSERT_EQ(third.status, 0) << third.describe();
  EXPECT_TRUE(fake.requestsTo("/signin").empty());
  EXPECT_NE(third.out.find("nav.left [Sign In]"), std::string::npos) << third.out;
  EXPECT_NE(third.out.find("tab.2 my bag (2)"), std::string::npos) << third.out;
}

TEST_F(SignInScenario, NewShopperRegistersInThreeStepsAndSignsInAgain) {
  const std::string year = nextYear();
  const CliRun run = cli().run(
      "alert Now\n"
      "type field.firstName Ann\n"
      "type field.lastName O'Neil\n"
      "type field.emailAddress ann.oneil@kelda.test\n"
      "type field.password Kelda123\n"
      "type field.verifyPassword Kelda123\n"
      "tap button.birthDate\n"
      "pick picker 1990-05-04\n"
      "done\n"
      "tap CONTINUE\n"
      "type field.address1 \"12 Main St\"\n"
      "type field.city \"New York\"\n"
      "tap button.state\n"
      "pick picker \"New York\"\n"
      "done\n"
      "type field.zipcode 10001\n"
      "type field.phoneNumber 2125550100\n"
      "tap CREATE PROFILE\n"
      "alert ADD CARD\n"
      "type field.cardNumber 4111111111111111\n"
      "tap button.expirationDate\n"
      "pick picker Mar " +
          year +
          "\n"
          "done\n"
          "type field.billingPhoneNumber 2125550100\n"
          "tap FINISH\n"
          "tab more\n"
          "tap logout\n"
          "tap sign in\n"
          "type field.email ann.oneil@kelda.test\n"
          "type field.password Kelda123\n"
          "tap SIGN IN\n"
          "quit\n",
      home());
  ASSERT_EQ(run.status, 0) << run.describe();
  EXPECT_NE(run.after("alert Now").find("== Register =="), std::string::npos) << run.out;
  EXPECT_NE(run.after("tap CONTINUE").find("field.address1"), std::string::npos) << run.out;
  EXPECT_NE(run.after("tap CREATE PROFILE")
                .find("Alert:\n  Your profile was successfully created! You can add a credit "
                      "card to your profile now for faster checkout or start shopping.\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.after("alert ADD CARD").find("field.cardNumber"), std::string::npos) << run.out;
  const std::string finished = run.after("tap FINISH");
  EXPECT_NE(finished.find("tab.0 [home]"), std::string::npos) << finished;
  EXPECT_EQ(finished.find("Alert:"), std::string::npos) << finished;
  EXPECT_NE(run.after("tap SIGN IN").find("row.3.0 logout >"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("4111111111111111"), std::string::npos) << "card numbers show as bullets";
  EXPECT_TRUE(std::filesystem::exists(home() / "login.plist"));
}

TEST_F(SignInScenario, ForgottenPasswordOfTheDemoAccount) {
  const CliRun run = cli().run(
      "alert Later\n"
      "tap nav.left\n"
      "tap FORGOT PASSWORD\n"
      "type field.email demo@kelda.test\n"
      "tap SUBMIT\n"
      "alert OK\n"
      "quit\n",
      home());
  ASSERT_EQ(run.status, 0) << run.describe();
  EXPECT_NE(run.after("tap FORGOT PASSWORD").find("== Forgot Password =="), std::string::npos);
  const std::string sent = run.after("tap SUBMIT");
  EXPECT_NE(sent.find("Alert:\n  Your password has been sent to you at demo@kelda.test\n"),
            std::string::npos)
      << sent;
  EXPECT_NE(sent.find("== Sign In =="), std::string::npos) << sent;
}

}  // namespace
}  // namespace kelda::test
