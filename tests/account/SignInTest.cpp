#include <gtest/gtest.h>

#include <string>

#include "account/SignInRequests.hpp"
#include "gateway/AccountAnswer.hpp"
#include "gateway/GlobalFlags.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "json/SBJson.hpp"
#include "support/ClientFixture.hpp"
#include "ui/Window.hpp"

namespace kelda::gateway {
namespace {

constexpr const char* kAccepted = R"({
  "status": [{"success": "AUTHENTICATED", "error": ""}],
  "profile": [{"emailAddress": "ann@x.com", "firstName": "Ann"}],
  "shipping": [{"contactId": "1"}, {"contactId": "2"}],
  "defaultShipping": [{"contactId": "2"}],
  "creditCard": [{"cardId": "7", "billingCity": "Austin"}],
  "defaultCreditCard": [{"cardId": "7"}]
})";

json::Value parse(const char* text) {
  return json::SBJsonParser().objectWithString(text);
}

class SignInTest : public test::ClientFixture {
 protected:
  SignInTest() {
    server().answer("/coremetrics_url", R"({"data":")" + server().url("/tag?c=1") + R"("})");
    server().answer("/tag", "{}");
    api().coremetricsURL();
  }
  TarnServerAPIs& api() { return TarnServerAPIs::sharedInstance(); }
  UserProfileDetails& profile() { return UserProfileDetails::sharedUserProfileObject(); }
  std::string signInResult() { return TarnObjects::sharedInstance().signInResultString().str(); }
  const std::vector<ui::AlertView>& alerts() {
    runUntilIdle();
    return ui::Window::shared().alerts();
  }
};

TEST(AccountAnswerTest, SuccessIsExactlyAuthenticatedAndShortErrorsAreNotShown) {
  EXPECT_TRUE(AccountAnswer::isAuthenticated(parse(R"({"status":[{"success":"AUTHENTICATED"}]})")));
  EXPECT_FALSE(
      AccountAnswer::isAuthenticated(parse(R"({"status":[{"success":"authenticated"}]})")));
  EXPECT_FALSE(AccountAnswer::isAuthenticated(parse(R"({"status":{"success":"AUTHENTICATED"}})")));
  EXPECT_FALSE(AccountAnswer::isAuthenticated(json::Value()));

  EXPECT_EQ(AccountAnswer::errorToShow(parse(R"({"status":[{"success":"N","error":"Bad"}]})")),
            "Bad");
  EXPECT_FALSE(AccountAnswer::errorToShow(parse(R"({"status":[{"success":"N","error":"x"}]})")));
  // One character even when it takes two bytes.
  EXPECT_FALSE(
      AccountAnswer::errorToShow(parse(R"({"status":[{"success":"N","error":"\u00e9"}]})")));
  EXPECT_FALSE(AccountAnswer::errorToShow(parse(R"({"status":[{"success":"N","error":42}]})")));
  EXPECT_FALSE(AccountAnswer::errorToShow(
      parse(R"({"status":[{"success":"AUTHENTICATED","error":"Welcome back"}]})")));
}

TEST_F(SignInTest, AcceptedSignInFillsTheProfileAndSendsTheRegistrationTag) {
  server().answer("/signin", kAccepted);
  account::SignInRequests::sign("ann+1@x.com", "p&ss%word");

  const auto request = server().lastRequest("/signin");
  ASSERT_TRUE(request);
  EXPECT_EQ(request->body, "loginUserName=ann%2B1@x.com&loginPassword=p%26ss%25word");
  EXPECT_EQ(signInResult(), "YES");
  EXPECT_TRUE(GlobalFlags::shared().loginSuccessful);
  EXPECT_EQ(profile().profileDictionary()["firstName"].str(), "Ann");
  EXPECT_EQ(profile().shippingAddressArray().size(), 2u);
  EXPECT_EQ(profile().defaultShippingDictionary()["contactId"].str(), "2");
  EXPECT_EQ(profile().defaultCreditCardArray()[0]["billingCity"].str(), "Austin");
  EXPECT_EQ(profile().defaultCreditCardDictionary()["cardId"].str(), "7");
  EXPECT_EQ(profile().statusDictionary()["success"].str(), "AUTHENTICATED");
  EXPECT_TRUE(alerts().empty());
  ASSERT_EQ(server().requestsTo("/tag").size(), 1u);
  EXPECT_EQ(server().lastRequest("/tag")->query, "c=1&tid=2&cd=ann@x.com&em=ann@x.com");
}

TEST_F(SignInTest, RefusedSignInShowsTheServersTextAndKeepsTheSignedInFlag) {
  server().answer("/signin",
                  R"({"status":[{"success":"authenticated","error":"Wrong password"}]})");
  GlobalFlags::shared().loginSuccessful = true;
  account::SignInRequests::sign("ann@x.com", "nope1");
  EXPECT_EQ(signInResult(), "NO");
  EXPECT_TRUE(GlobalFlags::shared().loginSuccessful) << "sign leaves the flag to its screen";
  EXPECT_TRUE(profile().profileDictionary().isAbsent());
  ASSERT_EQ(alerts().size(), 1u);
  EXPECT_EQ(alerts()[0].title, "");
  EXPECT_EQ(alerts()[0].message, "Wrong password");
  EXPECT_EQ(alerts()[0].buttons, std::vector<std::string>{"OK"});
  EXPECT_TRUE(server().requestsTo("/tag").empty());
}

TEST_F(SignInTest, SilentSignInFailureSignsOutWithoutAMessageForShortErrors) {
  GlobalFlags::shared().loginSuccessful = true;
  server().answer("/signin", R"({"status":[{"success":"FAILED","error":"."}]})");
  account::SignInRequests::sign1("ann@x.com", "secret");
  EXPECT_EQ(signInResult(), "NO");
  EXPECT_FALSE(GlobalFlags::shared().loginSuccessful);
  EXPECT_TRUE(alerts().empty());

  for (const char* answer : {"", "not json", "[]"}) {
    GlobalFlags::shared().loginSuccessful = true;
    server().answer("/signin", answer);
    account::SignInRequests::sign1("ann@x.com", "secret");
    EXPECT_EQ(signInResult(), "NO") << answer;
    EXPECT_FALSE(GlobalFlags::shared().loginSuccessful) << answer;
    EXPECT_TRUE(alerts().empty()) << answer;
  }
}

TEST_F(SignInTest, WithoutAConnectionNothingIsSent) {
  forceReachability(platform::ForcedReachability::None);
  account::SignInRequests::sign1("ann@x.com", "secret");
  EXPECT_TRUE(server().requestsTo("/signin").empty());
  EXPECT_TRUE(TarnObjects::sharedInstance().signInResultString().isAbsent());
  ASSERT_EQ(alerts().size(), 1u);
  EXPECT_EQ(alerts()[0].title, "Network Error");
}

}  // namespace
}  // namespace kelda::gateway
