// The sign-in and forgotten-password screens against the fake middleware: the exact bodies,
// every message, what a confirmed sign-in writes, and that nothing but this request's confirmed
// answer counts.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <tuple>
#include <vector>

#include "account/AccountOutcome.hpp"
#include "account/AccountScreenFixture.hpp"
#include "account/ForgetPasswordViewController.hpp"
#include "account/LoginViewController.hpp"
#include "account/SignInRequests.hpp"
#include "gateway/GlobalFlags.hpp"
#include "gateway/StoredLogin.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "platform/NotificationCenter.hpp"
#include "platform/TextFile.hpp"

namespace kelda::account {
namespace {

using namespace std::chrono_literals;
using gateway::GlobalFlags;
using gateway::TarnObjects;

constexpr const char* kAccepted = R"({"status":[{"success":"AUTHENTICATED","error":""}],
  "profile":[{"emailAddress":"ann+1@x.com","firstName":"Ann"}],"shipping":[],
  "defaultShipping":[],"creditCard":[{"cardId":"7"}],"defaultCreditCard":[{"cardId":"7"}]})";

class SignInScreens : public test::AccountScreenFixture {
 protected:
  SignInScreens() {
    login_ = std::make_shared<LoginViewController>();
    login_->pageFlag = "HomeView";
    push(login_);
  }
  void signIn(const std::string& email, const std::string& password) {
    type("field.email", email);
    type("field.password", password);
    tap("SIGN IN");
  }
  bool signedIn() { return GlobalFlags::shared().loginSuccessful; }
  bool storedLogIn() { return !gateway::readStoredLogin().empty(); }

  std::shared_ptr<LoginViewController> login_;
};

TEST_F(SignInScreens, ConfirmedSignInWritesTheLogInAndReturns) {
  EXPECT_EQ(top()->title(), "Sign In");
  EXPECT_EQ(pageTags(), std::vector<std::string>{"mobile.login.profile"});
  server().answer("/signin", kAccepted);
  signIn("ann+1@x.com", "p&ss%w+rd");

  ASSERT_EQ(server().requestsTo("/signin").size(), 1u);
  EXPECT_EQ(server().lastRequest("/signin")->body,
            "loginUserName=ann%2B1@x.com&loginPassword=p%26ss%25w%2Brd");
  EXPECT_TRUE(signedIn());
  EXPECT_EQ(platform::readTextFile(home() / "login.plist"), "ann+1@x.com;p&ss%w+rd");
  EXPECT_EQ(
      gateway::UserProfileDetails::sharedUserProfileObject().profileDictionary()["firstName"].str(),
      "Ann");
  EXPECT_NE(top(), login_.get()) << "the screen returns to its opener";
  EXPECT_FALSE(busy());
  EXPECT_TRUE(window().alerts().empty());
}

TEST_F(SignInScreens, OnTheWayToCheckoutItAsksTheBagToGoOn) {
  std::vector<std::string> posted;
  platform::NotificationCenter::defaultCenter().addObserver(
      LoginViewController::kGoToCheckoutNotification, this,
      [&](const platform::Notification& n) { posted.push_back(n.name); });
  GlobalFlags::shared().signinWhileCheckout = true;
  server().answer("/signin", kAccepted);
  signIn("ann@x.com", "secret");
  EXPECT_EQ(posted.size(), 1u);
  EXPECT_EQ(top(), login_.get());
  platform::NotificationCenter::defaultCenter().removeObserver(this);
}

TEST_F(SignInScreens, FormMessagesComeBeforeAnyRequest) {
  struct Case {
    const char* email;
    const char* password;
    const char* message;  // "" when the form ends silently
  };
  const Case cases[] = {
      {"", "secret", "Email address field cannot be left empty. Please try again."},
      {"ann@x.com", "", "Password field cannot be left empty. Please try again."},
      {"ann.x.com", "secret", ""},
      {"ann@x.com", "four", "Please enter a valid password"},
      {"ann@x.com", "seventeen-letters", "Please enter a valid password"},
      // The stored log-in could not hold it: refused before it is ever stored.
      {"ann@x.com", "sec;ret", "Please enter a valid password"},
  };
  for (const Case& c : cases) {
    signIn(c.email, c.password);
    EXPECT_EQ(alertMessages(),
              c.message[0] ? std::vector<std::string>{c.message} : std::vector<std::string>{})
        << c.email << " / " << c.password;
    closeAlerts();
  }
  EXPECT_TRUE(server().requestsTo("/signin").empty());

  server().answer("/signin", R"({"status":[{"success":"","error":"x"}]})");
  for (const char* password : {"five5", "sixteen-letters!"}) signIn("ann@x.com", password);
  EXPECT_EQ(server().requestsTo("/signin").size(), 2u);
}

TEST_F(SignInScreens, ReturnKeyChecksTheFieldThenTheAddress) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"field.email", "   ", "Email Address cannot be left empty. Please try again."},
      {"field.email", "ann@x", "Enter valid email address"},
      {"field.password", "", "Password cannot be left empty. Please try again."},
      // The e-mail address decides, whichever field the key was pressed in.
      {"field.password", "secret", "Enter valid email address"},
  };
  for (const auto& [field, text, message] : cases) {
    type(field, text);
    act(actor().returnKey(field));
    EXPECT_EQ(alertMessages(), std::vector<std::string>{message}) << field << " " << text;
    closeAlerts();
  }
  type("field.email", "ann@x.com");
  act(actor().returnKey("field.email"));
  EXPECT_TRUE(login_->passwordField().isFirstResponder());
  EXPECT_TRUE(server().requestsTo("/signin").empty()) << "the return key never signs in";
}

TEST_F(SignInScreens, OnlyThisRequestsConfirmedAnswerSignsIn) {
  struct Case {
    const char* name;
    test::FakeAnswer answer;
    std::vector<std::string> alerts;
  };
  const std::string unexpected = kUnexpectedErrorMessage;
  const Case cases[] = {
      {"refused with a message",
       {R"({"status":[{"success":"","error":"Wrong password"}]})"},
       {"Wrong password"}},
      {"refused with one character", {R"({"status":[{"success":"NO","error":"."}]})"}, {}},
      {"lower case", {R"({"status":[{"success":"authenticated","error":""}]})"}, {}},
      {"500 with a JSON body",
       {R"({"success":0,"error":true,"errorMsg":"Internal server error"})", 500},
       {unexpected}},
      {"not JSON", {"<html>busy</html>", 200, "text/html"}, {unexpected}},
      {"stalls", {"", 200, "application/json", 0ms, true}, {unexpected}},
  };
  gateway::TarnServerAPIs::sharedInstance().setTimeout(300ms);
  // An earlier "YES" must not be read as any of these requests' answer.
  TarnObjects::sharedInstance().setSignInResultString("YES");
  for (const Case& c : cases) {
    server().answer("/signin", c.answer);
    signIn("ann@x.com", "secret");
    EXPECT_EQ(alertMessages(), c.alerts) << c.name;
    EXPECT_FALSE(signedIn()) << c.name;
    EXPECT_FALSE(storedLogIn()) << c.name;
    EXPECT_EQ(top(), login_.get()) << c.name;
    EXPECT_FALSE(busy()) << c.name;
    closeAlerts();
  }

  forceReachability(platform::ForcedReachability::None);
  TarnObjects::sharedInstance().setSignInResultString("YES");
  signIn("ann@x.com", "secret");
  EXPECT_EQ(alertMessages(),
            std::vector<std::string>{"No connection found, please try again later."});
  EXPECT_FALSE(signedIn());
  EXPECT_FALSE(storedLogIn());
}

TEST_F(SignInScreens, PasswordNeverShowsInTheScreenTree) {
  type("field.email", "ann@x.com");
  type("field.password", "kelda123");
  const std::string text = screenText();
  EXPECT_EQ(text.find("kelda123"), std::string::npos) << text;
  EXPECT_NE(text.find("\u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022"), std::string::npos)
      << text;
  // Leaving the screen empties the password.
  act(actor().back());
  EXPECT_TRUE(login_->passwordField().text.empty());
}

TEST_F(SignInScreens, SignedInOnTheWayToCheckoutShowsTheStoredAddress) {
  ASSERT_TRUE(gateway::writeStoredLogin("ann@x.com;secret"));
  GlobalFlags::shared().loginSuccessful = true;
  auto checkout = std::make_shared<LoginViewController>();
  checkout->pageFlag = "ViewBag";
  push(checkout);
  EXPECT_EQ(checkout->tableView().numberOfSections(), 1);
  EXPECT_EQ(checkout->tableView().cellForRowAtIndexPath({0, 0})->textLabel().text,
            "please signin to proceed to check out:");
  EXPECT_FALSE(checkout->emailField().enabled);
  EXPECT_EQ(checkout->emailField().text, "ann@x.com");
  EXPECT_NE(screenText().find("[CONTINUE CHECKOUT]"), std::string::npos) << screenText();
}

// ---- forgotten password ----

class ForgotPasswordScreen : public SignInScreens {
 protected:
  ForgotPasswordScreen() { tap("FORGOT PASSWORD"); }
  void submit(const std::string& email) {
    type("field.email", email);
    tap("SUBMIT");
  }
};

TEST_F(ForgotPasswordScreen, ConfirmedAnswerSaysWhereThePasswordWent) {
  EXPECT_EQ(top()->title(), "Forgot Password");
  EXPECT_NE(screenText().find("To recieve your Kelda password via email, please enter your email "
                              "address:"),
            std::string::npos);
  for (const char* bad : {"", "demo@kelda", "demo kelda.test"}) {
    submit(bad);
    EXPECT_EQ(alertMessages(), std::vector<std::string>{"Please enter valid Email Address!"})
        << bad;
    closeAlerts();
  }
  EXPECT_TRUE(server().requestsTo("/forgot_password").empty());

  server().answer("/forgot_password", R"({"data":[{"success":1,"error":""}]})");
  submit("demo+1@kelda.test");
  EXPECT_EQ(server().lastRequest("/forgot_password")->body, "emailPassword=demo%2B1@kelda.test");
  EXPECT_EQ(alertMessages(),
            std::vector<std::string>{"Your password has been sent to you at demo+1@kelda.test"});
  EXPECT_EQ(top(), login_.get());
}

TEST_F(ForgotPasswordScreen, AnythingButAConfirmationKeepsTheScreen) {
  const std::string notFound = SignInRequests::kNotFoundMessage;
  const std::string unexpected = kUnexpectedErrorMessage;
  const std::pair<test::FakeAnswer, std::vector<std::string>> cases[] = {
      {{R"({"data":[{"success":0,"error":"unknown address"}]})"}, {notFound}},
      {{R"({"data":[{"success":"0"}]})"}, {notFound}},
      {{R"({"data":[{"success":0,"error":""}]})"}, {}},
      {{R"({"success":0,"error":true,"errorMsg":"Internal server error"})", 500}, {unexpected}},
      {{"not json"}, {unexpected}},
      {{"", 200, "application/json", 0ms, true}, {unexpected}},  // stalls past the limit
  };
  gateway::TarnServerAPIs::sharedInstance().setTimeout(300ms);
  // An earlier "YES" must not make a failed request say the mail went out.
  TarnObjects::sharedInstance().setSignInResultString("YES");
  auto* screen = top();
  for (const auto& [answer, alerts] : cases) {
    server().answer("/forgot_password", answer);
    submit("ann@x.com");
    EXPECT_EQ(alertMessages(), alerts) << answer.body;
    EXPECT_EQ(top(), screen) << answer.body;
    EXPECT_FALSE(busy()) << answer.body;
    closeAlerts();
  }

  // Without a connection nothing is sent and only the connection is reported.
  const std::size_t sent = server().requestsTo("/forgot_password").size();
  forceReachability(platform::ForcedReachability::None);
  submit("ann@x.com");
  EXPECT_EQ(alertMessages(),
            std::vector<std::string>{"No connection found, please try again later."});
  EXPECT_EQ(server().requestsTo("/forgot_password").size(), sent);
  EXPECT_EQ(top(), screen);
  EXPECT_FALSE(busy());
}

}  // namespace
}  // namespace kelda::account
