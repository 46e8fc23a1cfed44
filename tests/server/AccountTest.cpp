// Sign-in, registration, forgotten password and the account edits, with their real effect on
// the stored account.
#include "ServerFixture.hpp"

namespace kelda::server::testing {
namespace {

class Accounts : public ServerTest {
 protected:
  static std::string registration(const std::string& email, const std::string& zip = "10001") {
    return "firstName=Ann&lastName=Lee&emailAddress=" + email +
           "&password=secret1&verifyPassword=secret1&dateOfBirth=Jan 01, 1990&gender=F&address1=1 "
           "Main St"
           "&address2=&city=New York&state=NY&zipcode=" +
           zip + "&phone=&isPrimary=Y&profileFlag=0&shippingContactFlag=0&subscriptionFlag=1";
  }
  static std::string login(const std::string& email) {
    return "loginUserName=" + email + "&loginPassword=secret1";
  }
};

void expectEnvelope(const Answer& a) {
  ASSERT_TRUE(a.json["status"].isArray()) << a.body;
  for (const char* key :
       {"profile", "shipping", "defaultShipping", "creditCard", "defaultCreditCard"}) {
    EXPECT_TRUE(a.json[key].isArray()) << key;
  }
}

TEST_F(Accounts, SignInAcceptsTheDemoAccountOnlyWithItsPassword) {
  const Answer ok = post("/signin", "loginUserName=demo@kelda.test&loginPassword=kelda123");
  expectEnvelope(ok);
  EXPECT_EQ(ok.json["status"][0]["success"].str(), "AUTHENTICATED");
  EXPECT_EQ(ok.json["profile"][0]["emailAddress"].str(), "demo@kelda.test");
  EXPECT_EQ(ok.json["shipping"].size(), 2u);
  EXPECT_EQ(ok.json["defaultShipping"][0]["contactId"].str(), "1");
  EXPECT_EQ(ok.json["creditCard"][0]["cardNumber"].str(), "4111111111111111");
  EXPECT_EQ(ok.json["defaultCreditCard"][0]["cardId"].str(), "1");
  // Upper-case e-mail addresses name the same account.
  EXPECT_EQ(post("/signin", "loginUserName=DEMO@kelda.test&loginPassword=kelda123")
                .json["status"][0]["success"]
                .str(),
            "AUTHENTICATED");
  for (const char* body :
       {"loginUserName=demo@kelda.test&loginPassword=KELDA123", "loginUserName=demo@kelda.test",
        "loginUserName=' OR '1'='1&loginPassword=' OR '1'='1", ""}) {
    const Answer bad = post("/signin", body);
    expectEnvelope(bad);
    EXPECT_EQ(bad.json["status"][0]["success"].str(), "") << body;
    EXPECT_GT(bad.json["status"][0]["error"].str().size(), 1u);
    EXPECT_EQ(bad.json["profile"].size(), 0u);
  }
}

TEST_F(Accounts, RegistrationReportsWhichHalfOfTheFormFailed) {
  const Answer badAddress = post("/register", registration("ann@example.com", "1234"));
  EXPECT_EQ(badAddress.json["status"][0]["success"].str(), "");
  EXPECT_EQ(badAddress.json["validateFlag"]["profileFlag"].str(), "1");
  EXPECT_EQ(badAddress.json["validateFlag"]["shippingContactFlag"].str(), "0");
  const Answer badProfile = post("/register", registration("not-an-address"));
  EXPECT_EQ(badProfile.json["validateFlag"]["profileFlag"].str(), "0");
  EXPECT_EQ(badProfile.json["validateFlag"]["shippingContactFlag"].str(), "1");

  const Answer ok = post("/register", registration("ann@example.com"));
  ASSERT_EQ(ok.json["status"][0]["success"].str(), "AUTHENTICATED") << ok.body;
  EXPECT_EQ(ok.json["validateFlag"]["profileFlag"].str(), "1");
  EXPECT_EQ(ok.json["profile"][0]["firstName"].str(), "Ann");
  EXPECT_EQ(ok.json["shipping"][0]["city"].str(), "New York");
  EXPECT_EQ(ok.json["defaultShipping"][0]["contactId"].str(),
            ok.json["shipping"][0]["contactId"].str());
  EXPECT_EQ(post("/signin", login("ann@example.com")).json["status"][0]["success"].str(),
            "AUTHENTICATED");
  // The same address cannot register twice, and the password is stored hashed.
  EXPECT_EQ(
      post("/register", registration("ann@example.com")).json["validateFlag"]["profileFlag"].str(),
      "0");
  auto db = server().server().state().pool.acquire();
  auto& st = db->prepare("SELECT password_hash FROM accounts WHERE email = 'ann@example.com'");
  ASSERT_TRUE(st.step());
  EXPECT_EQ(st.text(0).rfind("$argon2id$", 0), 0u);
  EXPECT_EQ(st.text(0).find("secret1"), std::string::npos);
}

TEST_F(Accounts, ForgottenPasswordKnowsRegisteredAddressesOnly) {
  EXPECT_EQ(post("/forgot_password", "emailPassword=demo@kelda.test")
                .json["data"][0]["success"]
                .intValue(),
            1);
  const Answer unknown = post("/forgot_password", "emailPassword=nobody@kelda.test");
  EXPECT_EQ(unknown.json["data"][0]["success"].intValue(), 0);
  EXPECT_FALSE(unknown.json["data"][0]["error"].str().empty());
}

TEST_F(Accounts, AddressBookEditsChangeTheStoredAccount) {
  post("/register", registration("book@example.com"));
  const std::string address =
      "&firstName=Bo&lastName=Ng&address1=2 Elm "
      "St&address2=&city=Austin&state=TX&zipcode=78701&phone=";
  const Answer added =
      post("/edit_shipping", "myAccountType=addressBook&contactId=&defaultContactId=" + address +
                                 "&isPrimary=0&" + login("book@example.com"));
  ASSERT_EQ(added.json["status"][0]["success"].str(), "AUTHENTICATED") << added.body;
  ASSERT_EQ(added.json["shipping"].size(), 2u);
  const std::string second = added.json["shipping"][1]["contactId"].str();
  EXPECT_NE(added.json["defaultShipping"][0]["contactId"].str(), second);
  const Answer primary =
      post("/edit_primary_shipping", "contactId=" + second + "&" + login("book@example.com"));
  EXPECT_EQ(primary.json["defaultShipping"][0]["contactId"].str(), second);
  const Answer edited =
      post("/edit_shipping",
           "myAccountType=addressBook&contactId=" + second + "&defaultContactId=" + second +
               "&firstName=Bo&lastName=Ng&address1=3 Oak St&address2=&city=Dallas&state=TX"
               "&zipcode=75201&phone=&isPrimary=1&" +
               login("book@example.com"));
  EXPECT_EQ(edited.json["shipping"][1]["city"].str(), "Dallas");
  const Answer removed =
      post("/delete_shipping", login("book@example.com") + "&contactId=" + second);
  EXPECT_EQ(removed.json["shipping"].size(), 1u);
  EXPECT_EQ(removed.json["defaultShipping"][0]["contactId"].str(),
            removed.json["shipping"][0]["contactId"].str());
  // Refusals keep the account as it stands, so the client's list stays filled.
  const Answer refused =
      post("/edit_shipping", "contactId=&firstName=&lastName=&" + login("book@example.com"));
  EXPECT_EQ(refused.json["status"][0]["success"].str(), "");
  EXPECT_EQ(refused.json["shipping"].size(), 1u);
  // Another account's address cannot be touched.
  EXPECT_EQ(post("/delete_shipping", login("book@example.com") + "&contactId=1")
                .json["status"][0]["success"]
                .str(),
            "");
}

TEST_F(Accounts, WalletEditsValidateCardsAndKeepOneDefault) {
  post("/register", registration("card@example.com"));
  const std::string billing =
      "&billingContactId=&billingFirstName=Cy&billingLastName=Ro&billingEmailAddress=c@example.com"
      "&billingAddress1=1 Main St&billingAddress2=&billingCity=Boston&billingState=MA"
      "&billingZipcode=02108&billingPhone=&" +
      login("card@example.com");
  const Answer added = post(
      "/edit_wallet",
      "cardId=&cardType=VI&cardNumber=4111111111111111&cardExpirationDate=Mar 01, 2031" + billing);
  ASSERT_EQ(added.json["status"][0]["success"].str(), "AUTHENTICATED") << added.body;
  ASSERT_EQ(added.json["creditCard"].size(), 1u);
  EXPECT_EQ(added.json["creditCard"][0]["cardExpirationDate"].str(), "Mar, 2031");
  EXPECT_EQ(added.json["defaultCreditCard"][0]["cardId"].str(),
            added.json["creditCard"][0]["cardId"].str());
  EXPECT_EQ(added.json["creditCard"][0]["billingState"].str(), "MA");
  for (const char* card :
       {"cardType=VI&cardNumber=4111111111111112", "cardType=AX&cardNumber=4111111111111111",
        "cardType=ZZ&cardNumber=4111111111111111"}) {
    const Answer bad = post("/edit_wallet", std::string("cardId=&") + card +
                                                "&cardExpirationDate=Mar 01, 2031" + billing);
    EXPECT_EQ(bad.json["status"][0]["success"].str(), "") << card;
    EXPECT_EQ(bad.json["creditCard"].size(), 1u);
  }
  const Answer second = post(
      "/edit_wallet",
      "cardId=&cardType=MC&cardNumber=5555555555554444&cardExpirationDate=June 01, 2030" + billing);
  ASSERT_EQ(second.json["creditCard"].size(), 2u);
  const std::string first = second.json["creditCard"][0]["cardId"].str(),
                    other = second.json["creditCard"][1]["cardId"].str();
  const Answer primary =
      post("/edit_primary_wallet",
           "cardId=" + other + "&defaultCardId=" + first + "&" + login("card@example.com"));
  EXPECT_EQ(primary.json["defaultCreditCard"][0]["cardId"].str(), other);
  const Answer removed = post("/delete_wallet", login("card@example.com") + "&cardId=" + other);
  EXPECT_EQ(removed.json["creditCard"].size(), 1u);
  EXPECT_EQ(removed.json["defaultCreditCard"][0]["cardId"].str(), first);
}

TEST_F(Accounts, ProfileEditsNeedTheCurrentPasswordAndMayChangeTheAddress) {
  const Answer reg = post("/register", registration("pat@example.com"));
  const std::string userId = reg.json["profile"][0]["userId"].str();
  const std::string rest =
      "&firstName=Pat&lastName=Kim&address1=9 Pine St&address2=&zipcode=10001&city=New "
      "York&state=NY"
      "&dateOfBirth=Feb 02, 1991&gender=M&subscriptionFlag=0";
  const Answer wrong =
      post("/edit_profile", "myAccountType=profile&userId=" + userId +
                                "&emailAddress=pat@example.com&updatedEmailAddress=pat@example.com"
                                "&password=guess1&verifyPassword=guess1" +
                                rest);
  EXPECT_EQ(wrong.json["status"][0]["success"].str(), "");
  const Answer ok =
      post("/edit_profile", "myAccountType=profile&userId=" + userId +
                                "&emailAddress=pat@example.com&updatedEmailAddress=pat2@example.com"
                                "&password=secret1&verifyPassword=secret1" +
                                rest);
  ASSERT_EQ(ok.json["status"][0]["success"].str(), "AUTHENTICATED") << ok.body;
  EXPECT_EQ(ok.json["profile"][0]["emailAddress"].str(), "pat2@example.com");
  EXPECT_EQ(ok.json["profile"][0]["subscriptionFlag"].str(), "0");
  EXPECT_EQ(post("/signin", login("pat2@example.com")).json["status"][0]["success"].str(),
            "AUTHENTICATED");
  // Another account's userId with one's own log-in changes nothing.
  const Answer foreign =
      post("/edit_profile",
           "myAccountType=profile&userId=1&emailAddress=pat2@example.com"
           "&updatedEmailAddress=x@example.com&password=secret1&verifyPassword=secret1" +
               rest);
  EXPECT_EQ(foreign.json["status"][0]["success"].str(), "");
}

TEST_F(Accounts, APasswordChangesWhenTheCurrentOneComesAsLoginPassword) {
  const Answer reg = post("/register", registration("quinn@example.com"));
  const std::string head =
      "myAccountType=profile&userId=" + reg.json["profile"][0]["userId"].str() +
      "&firstName=Quinn&lastName=Kim&emailAddress=quinn@example.com"
      "&updatedEmailAddress=quinn@example.com";
  const std::string tail =
      "&address1=9 Pine St&address2=&zipcode=10001&city=&state=&dateOfBirth=Feb 02, 1991"
      "&gender=F&subscriptionFlag=1&loginPassword=";
  auto signIn = [&](const char* password) {
    return post("/signin", "loginUserName=quinn@example.com&loginPassword=" + std::string(password))
        .json["status"][0]["success"]
        .str();
  };
  // A wrong current password, or a new one out of bounds, changes nothing.
  for (const std::string& body :
       {head + "&password=newpass9&verifyPassword=newpass9" + tail + "guess1",
        head + "&password=abc&verifyPassword=abc" + tail + "secret1"}) {
    EXPECT_EQ(post("/edit_profile", body).json["status"][0]["success"].str(), "") << body;
  }
  EXPECT_EQ(signIn("secret1"), "AUTHENTICATED");
  const Answer changed =
      post("/edit_profile", head + "&password=newpass9&verifyPassword=newpass9" + tail + "secret1");
  ASSERT_EQ(changed.json["status"][0]["success"].str(), "AUTHENTICATED") << changed.body;
  EXPECT_EQ(signIn("secret1"), "");
  EXPECT_EQ(signIn("newpass9"), "AUTHENTICATED");
}

}  // namespace
}  // namespace kelda::server::testing
