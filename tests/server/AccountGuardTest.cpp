// Accounts are guarded: no shopper reads or changes another's profile, cards or addresses, and
// password guessing is throttled per account and per client address.
#include <fmt/format.h>

#include "AccountEndpoints.hpp"
#include "ServerFixture.hpp"

namespace kelda::server::testing {
namespace {

struct Shopper {
  std::string email, password, userId, contactId, cardId;
  std::string login() const { return "loginUserName=" + email + "&loginPassword=" + password; }
};

// Registers a shopper with one address and one card.
Shopper enrol(const Server& server, const std::string& email) {
  Shopper s{email, "secret1", "", "", ""};
  const Answer reg = server.post(
      "/register", "firstName=Ann&lastName=Lee&emailAddress=" + email +
                       "&password=secret1&verifyPassword=secret1&address1=1 Main St&city=Boston"
                       "&state=MA&zipcode=02108");
  s.userId = reg.json["profile"][0]["userId"].str();
  s.contactId = reg.json["shipping"][0]["contactId"].str();
  const Answer card = server.post(
      "/edit_wallet",
      "cardId=&cardType=VI&cardNumber=4111111111111111&cardExpirationDate=Mar 01, 2031"
      "&billingContactId=&billingFirstName=Ann&billingLastName=Lee&billingEmailAddress=" +
          email +
          "&billingAddress1=1 Main St&billingAddress2=&billingCity=Boston&billingState=MA"
          "&billingZipcode=02108&billingPhone=&" +
          s.login());
  s.cardId = card.json["creditCard"][0]["cardId"].str();
  return s;
}

TEST(AccountGuard, NoShopperReadsOrChangesAnothersAccount) {
  Server server;
  const Shopper ann = enrol(server, "ann@example.com"), bob = enrol(server, "bob@example.com");
  ASSERT_FALSE(bob.cardId.empty());
  ASSERT_FALSE(bob.contactId.empty());
  const Answer before = server.post("/signin", bob.login());
  const std::string address =
      "&firstName=Eve&lastName=X&address1=6 Evil St&address2=&city=Austin&state=TX"
      "&zipcode=78701&phone=";
  const std::string card =
      "&cardType=MC&cardNumber=5555555555554444&cardExpirationDate=Mar 01, 2031"
      "&billingContactId=&billingFirstName=Eve&billingLastName=X&billingEmailAddress=e@x.com"
      "&billingAddress1=6 Evil St&billingAddress2=&billingCity=Austin&billingState=TX"
      "&billingZipcode=78701&billingPhone=";
  const std::string profile =
      "&updatedEmailAddress=eve@example.com&firstName=Eve&lastName=X&address1=&address2="
      "&zipcode=&city=&state=&dateOfBirth=&gender=F&subscriptionFlag=0";
  const std::string annWithBobsPassword =
      "loginUserName=" + ann.email + "&loginPassword=" + bob.password + "x";
  // Each request touches Bob's records with Ann's log-in, or names Bob with a wrong password.
  const struct {
    const char* endpoint;
    std::string body;
  } attempts[] = {
      {"/edit_wallet", "cardId=" + bob.cardId + card + "&" + ann.login()},
      {"/edit_primary_wallet",
       "cardId=" + bob.cardId + "&defaultCardId=" + ann.cardId + "&" + ann.login()},
      {"/delete_wallet", ann.login() + "&cardId=" + bob.cardId},
      {"/edit_shipping", "myAccountType=addressBook&contactId=" + bob.contactId +
                             "&defaultContactId=" + bob.contactId + address + "&isPrimary=1&" +
                             ann.login()},
      {"/edit_primary_shipping", "contactId=" + bob.contactId + "&" + ann.login()},
      {"/delete_shipping", ann.login() + "&contactId=" + bob.contactId},
      {"/edit_profile", "myAccountType=profile&userId=" + bob.userId + "&emailAddress=" +
                            ann.email + "&password=secret1&verifyPassword=secret1" + profile},
      {"/edit_profile", "myAccountType=profile&userId=" + bob.userId + "&emailAddress=" +
                            bob.email + "&password=guess1&verifyPassword=guess1" + profile},
      // A password change needs the account's current password as loginPassword.
      {"/edit_profile",
       "myAccountType=profile&userId=" + bob.userId + "&emailAddress=" + ann.email +
           "&password=taken99&verifyPassword=taken99" + profile + "&loginPassword=" + ann.password},
      {"/edit_profile",
       "myAccountType=profile&userId=" + bob.userId + "&emailAddress=" + bob.email +
           "&password=taken99&verifyPassword=taken99" + profile + "&loginPassword=guess1"},
      {"/edit_wallet",
       "cardId=" + bob.cardId + card + "&loginUserName=" + bob.email + "&loginPassword=guess1"},
      {"/delete_shipping", annWithBobsPassword + "&contactId=" + ann.contactId},
  };
  for (const auto& attempt : attempts) {
    const Answer a = server.post(attempt.endpoint, attempt.body);
    SCOPED_TRACE(std::string(attempt.endpoint) + " " + attempt.body);
    EXPECT_EQ(a.json["status"][0]["success"].str(), "");
    EXPECT_GT(a.json["status"][0]["error"].str().size(), 1u);
    // Nothing of Bob's comes back to the caller.
    EXPECT_EQ(a.body.find(bob.email), std::string::npos);
    for (const char* section : {"shipping", "creditCard"}) {
      for (auto item : a.json[section].items()) {
        EXPECT_NE(item["contactId"].str() + item["cardId"].str(),
                  section == std::string("shipping") ? bob.contactId : bob.cardId);
      }
    }
  }
  // Bob's account is as it was.
  EXPECT_EQ(server.post("/signin", bob.login()).body, before.body);
}

TEST(AccountGuard, RepeatedWrongPasswordsAreRefusedAtOncePerAccountAndPerAddress) {
  ServerOptions options;
  options.signIns.failuresPerAccount = 3;
  options.signIns.failuresPerAddress = 8;
  Server server(options);
  auto signIn = [&](const std::string& email, const std::string& password) {
    return server.post("/signin", "loginUserName=" + email + "&loginPassword=" + password)
        .json["status"][0];
  };
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(signIn("demo@kelda.test", "wrong" + std::to_string(i))["success"].str(), "");
  // Now even the right password is refused, with the throttle's text, on every endpoint.
  EXPECT_EQ(signIn("demo@kelda.test", "kelda123")["error"].str(), kTooManyAttempts);
  EXPECT_EQ(server
                .post("/keldas_viewbag", R"(itemBOAttr=[{"setUpcID":"500001","setQuantity":"1"}])"
                                         "&loginUserName=DEMO@kelda.test&loginPassword=kelda123")
                .json["errorMsg"]
                .str(),
            kTooManyAttempts);
  // Guesses spread over other accounts use up the address's failures too.
  for (int i = 0; i < 5; ++i) signIn(fmt::format("nobody{}@example.com", i), "wrong");
  EXPECT_EQ(signIn("other@example.com", "whatever")["error"].str(), kTooManyAttempts);
}

}  // namespace
}  // namespace kelda::server::testing
