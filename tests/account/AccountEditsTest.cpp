// The account edit requests (profile, cards, addresses) against the fake middleware: their
// exact bodies, and that only a confirmed, whole answer replaces what the shopper has stored.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "AccountAreaFixture.hpp"
#include "account/AddressBookRequests.hpp"
#include "account/ProfileRequests.hpp"
#include "account/WalletRequests.hpp"

namespace kelda::account {
namespace {

class AccountEdits : public test::AccountAreaFixture {
 protected:
  // Runs a request on a worker, as the screens do, and waits for it.
  AccountOutcome run(const std::function<AccountOutcome()>& request) {
    AccountOutcome outcome = AccountOutcome::NotSent;
    platform::RunLoop::main().detachThread([&] { outcome = request(); });
    runUntilIdle();
    return outcome;
  }
};

struct Edit {
  const char* path;
  std::function<AccountOutcome()> send;
};

std::vector<Edit> everyEdit() {
  const json::Value visa = json::SBJsonParser().objectWithString(test::kVisa);
  const json::Value office = json::SBJsonParser().objectWithString(test::kOffice);
  return {
      {"/edit_profile", [] { return ProfileRequests::updateEditMyProfileWithString("x=1"); }},
      {"/edit_wallet", [] { return WalletRequests::updateEditMyWalletWithString("x=1"); }},
      {"/edit_primary_wallet",
       [visa] { return WalletRequests::markAsPrimaryBillingAddress(visa, visa); }},
      {"/delete_wallet", [visa] { return WalletRequests::removeBillingAddress(visa); }},
      {"/edit_shipping", [] { return AddressBookRequests::updateEditMyAddressWithString("x=1"); }},
      {"/edit_primary_shipping",
       [office] { return AddressBookRequests::markAsPrimaryShippingAddress(office); }},
      {"/delete_shipping", [office] { return AddressBookRequests::removeShippingAddress(office); }},
  };
}

TEST_F(AccountEdits, OnlyAConfirmedWholeAnswerReplacesTheStoredSections) {
  const std::string emptied = test::accountAnswer("AUTHENTICATED", "", "[]", "[]", "[]", "[]");
  const struct {
    const char* what;
    std::string answer;
    AccountOutcome outcome;
    std::vector<std::string> alerts;
  } cases[] = {
      {"confirmed", emptied, AccountOutcome::Accepted, {}},
      {"refused with a message",
       test::accountAnswer("", "Card declined.", "[]", "[]", "[]", "[]"),
       AccountOutcome::Refused,
       {"Card declined."}},
      {"refused with another success text",
       test::accountAnswer("FAILED", "Try later.", "[]", "[]", "[]", "[]"),
       AccountOutcome::Refused,
       {"Try later."}},
      {"lower-case success",
       test::accountAnswer("authenticated", "x", "[]", "[]", "[]", "[]"),
       AccountOutcome::Refused,
       {}},
      {"no success at all",
       R"({"status":[{"error":""}],"profile":[],"shipping":[],
        "defaultShipping":[],"creditCard":[],"defaultCreditCard":[]})",
       AccountOutcome::Refused,
       {}},
      {"a section missing",
       R"({"status":[{"success":"AUTHENTICATED"}],"profile":[],
        "shipping":[],"defaultShipping":[],"defaultCreditCard":[]})",
       AccountOutcome::Failed,
       {}},
      {"a section of the wrong type",
       R"({"status":[{"success":"AUTHENTICATED"}],"profile":[],
        "shipping":{},"defaultShipping":[],"creditCard":[],"defaultCreditCard":[]})",
       AccountOutcome::Failed,
       {}},
      {"no status", R"({"shipping":[]})", AccountOutcome::Failed, {}},
      {"not JSON", "<html>busy</html>", AccountOutcome::Failed, {}},
  };
  const json::Value stored = form().defaultCreditCardArray();
  for (const Edit& edit : everyEdit()) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(edit.path) + ": " + c.what);
      account::storeAccountSections(parse(test::signedInAnswer()));
      server().answer(edit.path, c.answer);
      EXPECT_EQ(run(edit.send), c.outcome);
      EXPECT_EQ(alertMessages(), c.alerts);
      closeAlerts();
      const bool replaced = c.outcome == AccountOutcome::Accepted;
      EXPECT_EQ(form().defaultCreditCardArray().size(), replaced ? 0u : stored.size());
      EXPECT_EQ(form().shippingAddressArray().size(), replaced ? 0u : 2u);
      EXPECT_EQ(form().profileDictionary()["firstName"].str(), "Ann");
    }
  }
}

TEST_F(AccountEdits, NothingIsSentWithoutAConnectionOrAStoredLogIn) {
  server().clearRequests();
  forceReachability(platform::ForcedReachability::None);
  for (const Edit& edit : everyEdit()) EXPECT_EQ(run(edit.send), AccountOutcome::NotSent);
  closeAlerts();
  forceReachability(std::nullopt);
  gateway::removeStoredLogin();
  for (const Edit& edit : everyEdit()) {
    if (std::string(edit.path).find("primary") != std::string::npos ||
        std::string(edit.path).find("delete") != std::string::npos) {
      EXPECT_EQ(run(edit.send), AccountOutcome::NotSent) << edit.path;
    }
  }
  EXPECT_EQ(server().requestCount(), 0u);
  EXPECT_EQ(form().defaultCreditCardArray().size(), 2u);
}

TEST_F(AccountEdits, PrimaryAndDeleteBodiesCarryTheIdsAndTheStoredLogIn) {
  for (const Edit& edit : everyEdit()) {
    server().answer(edit.path, test::signedInAnswer());
    run(edit.send);
  }
  EXPECT_EQ(lastBody("/edit_primary_wallet"),
            "cardId=21&defaultCardId=21&loginUserName=ann@x.com&loginPassword=secret1");
  EXPECT_EQ(lastBody("/delete_wallet"), "loginUserName=ann@x.com&loginPassword=secret1&cardId=21");
  EXPECT_EQ(lastBody("/edit_primary_shipping"),
            "contactId=12&loginUserName=ann@x.com&loginPassword=secret1");
  EXPECT_EQ(lastBody("/delete_shipping"),
            "loginUserName=ann@x.com&loginPassword=secret1&contactId=12");
  // With no default card yet the default's id reads 0.
  run([] {
    return WalletRequests::markAsPrimaryBillingAddress(
        json::SBJsonParser().objectWithString(test::kStoreCard), json::Value());
  });
  EXPECT_EQ(lastBody("/edit_primary_wallet"),
            "cardId=22&defaultCardId=0&loginUserName=ann@x.com&loginPassword=secret1");
}

TEST_F(AccountEdits, CardBodyReformsAnUntouchedExpiryAndNeverSendsNull) {
  const json::Value visa = parse(test::kVisa);
  const struct {
    json::Value card;
    const char* typed;
    const char* sent;
  } expiries[] = {
      {visa, "Mar, 2031", "Mar 01, 2031"},
      {visa.with("cardExpirationDate", "Mar 01, 2031"), "Mar 01, 2031", "Mar 01, 2031"},
      {visa, "Apr 01, 2032", "Apr 01, 2032"},
      {json::Value(), "Jan, 2026", "Jan, 2026"},
      {visa.with("cardExpirationDate", "03/2031"), "03/2031", "03/2031"},
  };
  for (const auto& e : expiries) {
    EXPECT_EQ(WalletRequests::expiryForBody(json::Value(e.typed), e.card), e.sent) << e.typed;
  }
  form().setCardType(json::Value("MasterCard"));
  form().setCardNumber(json::Value("5555555555554444"));
  form().setExpirationDate(json::Value("Mar, 2031"));
  form().setBillingFirstName(json::Value("Ann"));
  form().setBillingLastName(json::Value("O'Lee"));
  form().setBillingEmailAddress(json::Value("ann+1@x.com"));
  form().setBillingAddress1(json::Value("1 Main St"));
  form().setBillingAddress2(json::Value(""));
  form().setBillingCity(json::Value("Boston"));
  form().setBillingState(json::Value());
  form().setBillingZipcode(json::Value("02108"));
  form().setBillingPhoneNumber(json::Value("6175550100"));
  EXPECT_EQ(WalletRequests::editWalletBody(form(), visa),
            "cardId=21&cardType=MC&cardNumber=5555555555554444&cardExpirationDate=Mar 01, 2031"
            "&billingContactId=800021&billingFirstName=Ann&billingLastName=O'Lee"
            "&billingEmailAddress=ann%2B1@x.com&billingAddress1=1 Main St&billingAddress2="
            "&billingCity=Boston&billingState=&billingZipcode=02108&billingPhone=6175550100"
            "&loginUserName=ann@x.com&loginPassword=secret1");
  form().setBillingState(json::Value("Texas"));
  EXPECT_NE(WalletRequests::editWalletBody(form(), json::Value()).find("cardId=&"),
            std::string::npos);
  EXPECT_NE(WalletRequests::editWalletBody(form(), json::Value()).find("&billingState=TX&"),
            std::string::npos);
}

TEST_F(AccountEdits, MaskedNumbersKeepOnlyTheLastFourDigits) {
  EXPECT_EQ(WalletRequests::maskedCardNumber(json::Value("4111111111111111")), "************1111");
  EXPECT_EQ(WalletRequests::maskedCardNumber(json::Value("6035000000004")), "*********0004");
  EXPECT_EQ(WalletRequests::maskedCardNumber(json::Value("123")), "123");
  EXPECT_EQ(WalletRequests::maskedCardNumber(json::Value()), "");
}

TEST_F(AccountEdits, AddressBodyMarksTheFirstAndTheDefaultAddressPrimary) {
  form().setFirstName(json::Value("Ann"));
  form().setLastName(json::Value("Lee"));
  form().setAddress1(json::Value("5 Oak St"));
  form().setAddress2(json::Value(""));
  form().setCity(json::Value("Salem"));
  form().setState(json::Value());
  form().setZipcode(json::Value("01970"));
  form().setPhoneNumber(json::Value(""));
  const std::string tail = "&loginUserName=ann@x.com&loginPassword=secret1";
  EXPECT_EQ(AddressBookRequests::editShippingBody(form(), parse(test::kOffice)),
            "myAccountType=addressBook&contactId=12&defaultContactId=11&firstName=Ann"
            "&lastName=Lee&address1=5 Oak St&address2=&city=Salem&state=&zipcode=01970&phone="
            "&isPrimary=0" +
                tail);
  form().setState(json::Value("Massachusetts"));
  const struct {
    const char* what;
    json::Value edited;
    bool emptyBook;
    const char* ids;
    const char* primary;
  } cases[] = {
      {"the first address", json::Value(), true, "contactId=&defaultContactId=&", "isPrimary=1"},
      {"the default address", parse(test::kHome), false, "contactId=11&defaultContactId=11&",
       "isPrimary=1"},
      {"another address", parse(test::kOffice), false, "contactId=12&defaultContactId=11&",
       "isPrimary=0"},
      {"a further address", json::Value(), false, "contactId=&defaultContactId=11&", "isPrimary=0"},
  };
  for (const auto& c : cases) {
    account::storeAccountSections(parse(test::signedInAnswer()));
    if (c.emptyBook) form().setShippingAddressArray(json::Value::array());
    const std::string body = AddressBookRequests::editShippingBody(form(), c.edited);
    EXPECT_NE(body.find(c.ids), std::string::npos) << c.what << ": " << body;
    EXPECT_NE(body.find(std::string("&state=MA&")), std::string::npos) << c.what;
    EXPECT_NE(body.find(std::string("&") + c.primary + "&"), std::string::npos) << c.what;
  }
}

TEST_F(AccountEdits, ProfileBodyNamesTheAccountAndEndsWithTheStoredPassword) {
  form().setFirstName(json::Value("Ann"));
  form().setLastName(json::Value("Lee"));
  form().setEmailAddress(json::Value("ann+new@x.com"));
  form().setPassword(json::Value("newpass9"));
  form().setVerifyPassword(json::Value("newpass9"));
  form().setAddress1(json::Value("1 Main St"));
  form().setAddress2(json::Value(""));
  form().setZipcode(json::Value("02108"));
  form().setBirthDate(json::Value("Feb 2, 1991"));
  for (auto [gender, code] : {std::pair{"Female", "F"}, std::pair{"male", "M"}, std::pair{"F", "F"},
                              std::pair{"other", "other"}}) {
    form().setGender(json::Value(gender));
    EXPECT_EQ(ProfileRequests::editProfileBody(form(), false),
              "myAccountType=profile&userId=41&firstName=Ann&lastName=Lee"
              "&emailAddress=ann@x.com&updatedEmailAddress=ann%2Bnew@x.com&password=newpass9"
              "&verifyPassword=newpass9&address1=1 Main St&address2=&zipcode=02108&city=Boston"
              "&state=MA&dateOfBirth=Feb 2, 1991&gender=" +
                  std::string(code) + "&subscriptionFlag=0&loginPassword=secret1");
  }
}

}  // namespace
}  // namespace kelda::account
