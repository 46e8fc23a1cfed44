// The registration screen against the fake middleware: the three steps as a shopper goes
// through them, the exact bodies of "register", "signin" and "edit_wallet", the server's verdict
// on each half of the form, and that the form sends what it shows and keeps the shopper's typing
// whenever the server did not confirm.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "account/AccountOutcome.hpp"
#include "account/AccountScreenFixture.hpp"
#include "account/RegistrationViewController.hpp"
#include "gateway/GlobalFlags.hpp"
#include "gateway/StoredLogin.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "support/PoliciesViewController.hpp"

namespace kelda::account {
namespace {

using gateway::GlobalFlags;
using gateway::UserProfileDetails;
using Step = RegistrationViewController::Step;

constexpr const char* kCardTypes = R"({"data":[
  {"ccCode":"VI","ccName":"Visa","maxLength":"16","visible":"Y"},
  {"ccCode":"MC","ccName":"MasterCard","maxLength":"16","visible":"Y"},
  {"ccCode":"KC","ccName":"Kelda's Card","maxLength":"13,16","visible":"N"}]})";

std::string accountAnswer(const char* success, const char* error, const char* profileFlag,
                          const char* shippingFlag) {
  return std::string(R"({"status":[{"success":")") + success + R"(","error":")" + error +
         R"("}],"profile":[{"emailAddress":"ann+1@x.com"}],"shipping":[{"contactId":"3"}],
         "defaultShipping":[{"contactId":"3"}],"creditCard":[{"cardId":"9"}],
         "defaultCreditCard":[{"cardId":"9"}],"validateFlag":{"profileFlag":")" +
         profileFlag + R"(","shippingContactFlag":")" + shippingFlag + R"("}})";
}

std::string thisYear() {
  const auto today = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
  return std::to_string(static_cast<int>(std::chrono::year_month_day(today).year()));
}

class RegistrationScreen : public test::AccountScreenFixture {
 protected:
  RegistrationScreen() {
    server().answer("/keldas_creditcardtype", kCardTypes);
    registration_ = std::make_shared<RegistrationViewController>();
    tabs().setSelectedIndex(4);
    push(registration_, 4);
  }
  UserProfileDetails& form() { return UserProfileDetails::sharedUserProfileObject(); }
  void pick(const std::string& button, const std::vector<std::string>& rows) {
    tap(button);
    act(actor().pick("picker", rows));
    act(actor().done());
  }
  void fillProfileStep() {
    type("field.firstName", "Ann");
    type("field.lastName", "O'Neil-Smith");
    type("field.emailAddress", "ann+1@x.com");
    type("field.password", "Kelda123");
    type("field.verifyPassword", "Kelda123");
    pick("button.birthDate", {"1990-05-04"});
  }
  void fillAddressStep() {
    type("field.address1", "Apt #5 Main St");
    type("field.city", "St Louis");
    pick("button.state", {"Missouri"});
    type("field.zipcode", "63101");
    type("field.phoneNumber", "3145550100");
  }
  // Registers a new shopper and answers "ADD CARD": the card step is shown.
  void registerUpToTheCardStep() {
    fillProfileStep();
    tap("CONTINUE");
    fillAddressStep();
    server().answer("/register", accountAnswer("AUTHENTICATED", "", "1", "1"));
    server().answer("/signin", accountAnswer("AUTHENTICATED", "", "1", "1"));
    tap("CREATE PROFILE");
    act(actor().alertButton("ADD CARD"));
  }

  std::shared_ptr<RegistrationViewController> registration_;
};

TEST_F(RegistrationScreen, RegistersInThreeStepsThenAddsACard) {
  EXPECT_EQ(top()->title(), "Register");
  EXPECT_EQ(registration_->step(), Step::Profile);
  EXPECT_EQ(GlobalFlags::shared().clickedFromRegistrationPage, 6001);
  fillProfileStep();
  EXPECT_EQ(form().birthDate().str(), "May 4, 1990");
  tap("switch.subscribe");
  tap("CONTINUE");
  ASSERT_EQ(registration_->step(), Step::Address);
  fillAddressStep();

  server().answer("/register", accountAnswer("AUTHENTICATED", "", "1", "1"));
  server().answer("/signin", accountAnswer("AUTHENTICATED", "", "1", "1"));
  tap("CREATE PROFILE");
  EXPECT_EQ(server().lastRequest("/register")->body,
            "firstName=Ann&lastName=O'Neil-Smith&emailAddress=ann%2B1@x.com&password=Kelda123"
            "&verifyPassword=Kelda123&dateOfBirth=May 4, 1990&gender=M&address1=Apt #5 Main St"
            "&address2=&city=St Louis&state=MO&zipcode=63101&phone=3145550100&isPrimary=Y"
            "&profileFlag=0&shippingContactFlag=0&subscriptionFlag=0");
  EXPECT_EQ(server().lastRequest("/signin")->body,
            "loginUserName=ann%2B1@x.com&loginPassword=Kelda123");
  EXPECT_TRUE(GlobalFlags::shared().loginSuccessful);
  EXPECT_EQ(gateway::readStoredLogin()["loginPassword"].str(), "Kelda123");
  ASSERT_EQ(window().alerts().size(), 1u);
  EXPECT_EQ(window().alerts()[0].message, RegistrationViewController::kCreatedMessage);
  EXPECT_EQ(window().alerts()[0].buttons, (std::vector<std::string>{"ADD CARD", "START SHOPPING"}));
  EXPECT_FALSE(busy());

  act(actor().alertButton("ADD CARD"));
  ASSERT_EQ(registration_->step(), Step::Wallet);
  type("field.cardNumber", "5500000000000004");
  pick("button.cardType", {"MasterCard"});
  EXPECT_TRUE(registration_->field("cardNumber")->isFirstResponder());
  // Cancel keeps the card type shown, and the one shown is the one sent.
  tap("button.cardType");
  act(actor().pick("picker", {"Visa"}));
  act(actor().cancel());
  EXPECT_NE(screenText().find("button.cardType [MasterCard]"), std::string::npos) << screenText();
  const std::string nextYear = std::to_string(std::stoi(thisYear()) + 1);
  pick("button.expirationDate", {"Mar", nextYear});
  EXPECT_NE(screenText().find("button.expirationDate [Mar, " + nextYear + "]"), std::string::npos);
  type("field.billingPhoneNumber", "3145550100");

  server().answer("/edit_wallet", accountAnswer("AUTHENTICATED", "", "1", "1"));
  tap("FINISH");
  EXPECT_EQ(server().lastRequest("/edit_wallet")->body,
            "cardId=&cardType=MC&cardNumber=5500000000000004&cardExpirationDate=Mar 01, " +
                nextYear +
                "&billingContactId=&billingFirstName=Ann&billingLastName=O'Neil-Smith"
                "&billingEmailAddress=ann%2B1@x.com&billingAddress1=Apt #5 Main St"
                "&billingAddress2=&billingCity=St Louis&billingState=MO&billingZipcode=63101"
                "&billingPhone=3145550100&loginUserName=ann%2B1@x.com&loginPassword=Kelda123");
  EXPECT_EQ(tabs().selectedIndex(), 0);
  EXPECT_FALSE(stack(4).contains(*registration_));
  EXPECT_TRUE(form().firstName().isAbsent()) << "a finished registration clears the form";
  EXPECT_EQ(form().defaultCreditCardArray()[0]["cardId"].str(), "9");

  // Each accepted answer (registration and sign-in) sent the registration tag; the steps their
  // page tags.
  std::size_t registrationTags = 0;
  for (const auto& r : server().requestsTo("/tag")) {
    registrationTags += r.query.find("&tid=2&") != std::string::npos;
  }
  EXPECT_EQ(registrationTags, 2u);
  const auto tags = pageTags();
  EXPECT_EQ(std::count(tags.begin(), tags.end(), "mobile.create.profile"), 1);
  EXPECT_EQ(std::count(tags.begin(), tags.end(), "mobile.credit.profile"), 1);
}

TEST_F(RegistrationScreen, ServerVerdictSendsTheShopperBackToThatStep) {
  fillProfileStep();
  tap("CONTINUE");
  fillAddressStep();
  server().answer("/register", accountAnswer("", "This e-mail is taken.", "0", "1"));
  tap("CREATE PROFILE");
  EXPECT_EQ(alertMessages(), std::vector<std::string>{"This e-mail is taken."});
  EXPECT_EQ(registration_->step(), Step::Profile);
  closeAlerts();

  tap("CONTINUE");
  server().answer("/register", accountAnswer("", "Please enter a valid ZIP code.", "1", "0"));
  tap("CREATE PROFILE");
  EXPECT_EQ(alertMessages(), std::vector<std::string>{"Please enter a valid ZIP code."});
  EXPECT_EQ(registration_->step(), Step::Address);
  closeAlerts();

  // The next attempt carries the previous answer's verdict.
  tap("CREATE PROFILE");
  EXPECT_NE(server().lastRequest("/register")->body.find("&profileFlag=1&shippingContactFlag=0&"),
            std::string::npos);
  EXPECT_FALSE(GlobalFlags::shared().loginSuccessful);
  EXPECT_TRUE(server().requestsTo("/signin").empty());
}

TEST_F(RegistrationScreen, UnconfirmedAnswersKeepTheFormAndSignNobodyIn) {
  fillProfileStep();
  tap("CONTINUE");
  fillAddressStep();
  const std::string unexpected = kUnexpectedErrorMessage;
  const std::pair<test::FakeAnswer, std::string> cases[] = {
      {{R"({"success":0,"error":true,"errorMsg":"Internal server error"})", 500}, unexpected},
      {{"<html></html>", 200, "text/html"}, unexpected},
      {{R"({"status":[{"success":"","error":""}],"validateFlag":{"profileFlag":"1",
          "shippingContactFlag":"1"}})"},
       unexpected},
  };
  for (const auto& [answer, message] : cases) {
    server().answer("/register", answer);
    tap("CREATE PROFILE");
    EXPECT_EQ(alertMessages(), std::vector<std::string>{message}) << answer.body;
    EXPECT_EQ(registration_->step(), Step::Address);
    EXPECT_EQ(form().firstName().str(), "Ann");
    EXPECT_FALSE(busy());
    closeAlerts();
  }
  // Accepted, but the sign-in that follows is not: the shopper stays signed out.
  server().answer("/register", accountAnswer("AUTHENTICATED", "", "1", "1"));
  server().answer("/signin", accountAnswer("", "Try later", "1", "1"));
  tap("CREATE PROFILE");
  EXPECT_EQ(alertMessages(), std::vector<std::string>{"Try later"});
  EXPECT_FALSE(GlobalFlags::shared().loginSuccessful);
  EXPECT_TRUE(gateway::readStoredLogin().empty());
}

TEST_F(RegistrationScreen, AnEmptiedFieldIsEmptyInTheForm) {
  type("field.firstName", "Ann");
  type("field.firstName", "");
  fillProfileStep();
  type("field.lastName", "");
  tap("CONTINUE");
  EXPECT_EQ(alertMessages(),
            std::vector<std::string>{"Last Name cannot be left empty. Please try again."});
  EXPECT_EQ(form().lastName().str(), "");
  EXPECT_EQ(registration_->step(), Step::Profile);
  // Passwords are shown as bullets.
  EXPECT_EQ(screenText().find("Kelda123"), std::string::npos);
}

TEST_F(RegistrationScreen, CardStepWithItsOwnBillingAddress) {
  registerUpToTheCardStep();
  EXPECT_EQ(registration_->tableView().numberOfRowsInSection(1), 1);
  tap("check.useShippingAddress");
  EXPECT_EQ(registration_->tableView().numberOfRowsInSection(1), 6);
  type("field.cardNumber", "4111111111111111");
  type("field.billingAddress1", "1 Elm St");
  type("field.billingCity", "Austin");
  pick("button.billingState", {"Texas"});
  type("field.billingZipcode", "78701");
  type("field.billingPhoneNumber", "5125550100");
  server().answer("/edit_wallet", accountAnswer("", "Please check the card number.", "1", "1"));
  tap("FINISH");
  const std::string body = server().lastRequest("/edit_wallet")->body;
  EXPECT_NE(body.find("&cardType=VI&cardNumber=4111111111111111&cardExpirationDate=Jan, " +
                      thisYear() + "&"),
            std::string::npos)
      << body;
  EXPECT_NE(body.find("&billingAddress1=1 Elm St&billingAddress2=&billingCity=Austin"
                      "&billingState=TX&billingZipcode=78701&billingPhone=5125550100&"),
            std::string::npos)
      << body;
  // Refused: the message is shown and the typing stays.
  EXPECT_EQ(alertMessages(), std::vector<std::string>{"Please check the card number."});
  EXPECT_EQ(registration_->step(), Step::Wallet);
  EXPECT_EQ(form().billingCity().str(), "Austin");
  closeAlerts();

  // Checking the box again takes the shipping address.
  tap("check.useShippingAddress");
  EXPECT_EQ(form().billingCity().str(), "St Louis");
  EXPECT_EQ(form().billingState().str(), "Missouri");
}

TEST_F(RegistrationScreen, CancelOrBackAbandonsAndTheNextFormStartsEmpty) {
  fillProfileStep();
  tap("CANCEL");
  EXPECT_EQ(alertMessages(),
            std::vector<std::string>{RegistrationViewController::kCancelProfileQuestion});
  act(actor().alertButton("NO"));
  EXPECT_EQ(top(), registration_.get());

  // A policy page and back: the typing stays.
  tap("row.1.0");
  auto* page = dynamic_cast<support::PoliciesViewController*>(top());
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->myURL, "http://" + server().address() +
                             "/service/start/safeshopping/privacy.jsp?width=320&height=480");
  act(actor().back());
  EXPECT_EQ(registration_->field("firstName")->text, "Ann");
  ASSERT_NE(registration_->navigationItem().leftBarButtonItem, nullptr);
  EXPECT_EQ(registration_->navigationItem().leftBarButtonItem->title, "Back");

  tap("CANCEL");
  act(actor().alertButton("YES"));
  EXPECT_EQ(tabs().selectedIndex(), 0);
  EXPECT_TRUE(form().firstName().isAbsent());

  tabs().setSelectedIndex(4);
  push(registration_, 4);
  EXPECT_EQ(registration_->step(), Step::Profile);
  EXPECT_EQ(registration_->field("firstName")->text, "");
  type("field.firstName", "Bo");
  act(actor().back());
  EXPECT_TRUE(form().firstName().isAbsent()) << "the back button abandons the form too";
  // Its own back button goes with the screen; the standard one is no longer hidden.
  EXPECT_EQ(registration_->navigationItem().leftBarButtonItem, nullptr);
  EXPECT_FALSE(registration_->navigationItem().hidesBackButton);
}

}  // namespace
}  // namespace kelda::account
