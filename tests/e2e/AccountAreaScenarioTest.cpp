// The account area end to end: kelda-cli scripts against kelda-middleware, signed in as the
// demo shopper. Each step changes the account through the screens, and the server's own answer
// to a fresh sign-in shows that the change was made there: first name, a new card made
// primary, an address added and removed, a new password that the next sign-in needs.
#include <gtest/gtest.h>
#include <httplib.h>

#include <filesystem>
#include <string>

#include "e2e/E2eFixture.hpp"
#include "json/SBJson.hpp"
#include "platform/TextFile.hpp"

namespace kelda::test {
namespace {

class AccountAreaScenario : public E2eFixture {
 protected:
  // The server's account answer to a sign-in with these credentials.
  json::Value signIn(const std::string& password) {
    const std::string address = server().address();
    httplib::Client client(address.substr(0, address.find(':')),
                           std::stoi(address.substr(address.find(':') + 1)));
    const auto answer =
        client.Post("/signin", "loginUserName=demo@kelda.test&loginPassword=" + password,
                    "application/x-www-form-urlencoded");
    if (!answer) return {};
    return json::SBJsonParser().objectWithString(answer->body);
  }
  bool accepted(const json::Value& answer) {
    return answer["status"][0]["success"].str() == "AUTHENTICATED";
  }
  // Runs `script` in the account menu of the more tab of a signed-in client.
  CliRun inAccountMenu(const std::string& script) {
    return cli().run("tab more\ntap my account\n" + script + "quit\n", home());
  }
};

TEST_F(AccountAreaScenario, DemoShopperEditsProfileWalletAddressesAndPassword) {
  // Sign in, and change the first name.
  CliRun run = cli().run(
      "alert Later\n"
      "tap nav.left\n"
      "type field.email demo@kelda.test\n"
      "type field.password kelda123\n"
      "tap SIGN IN\n"
      "tab more\n"
      "tap my account\n"
      "tap my profile\n"
      "tap Edit\n"
      "type field.firstName Danielle\n"
      "tap SAVE\n"
      "quit\n",
      home());
  ASSERT_EQ(run.status, 0) << run.describe();
  EXPECT_NE(run.after("tap SAVE").find("Danielle"), std::string::npos) << run.after("tap SAVE");
  json::Value account = signIn("kelda123");
  ASSERT_TRUE(accepted(account));
  EXPECT_EQ(account["profile"][0]["firstName"].str(), "Danielle");

  // Add a Discover card, then make it the primary card.
  run = inAccountMenu(
      "tap my wallet\n"
      "tap nav.right\n"
      "tap button.cardType\n"
      "pick picker Discover\n"
      "done\n"
      "type field.cardNumber 6011111111111117\n"
      "tap button.expirationDate\n"
      "pick picker Dec 2030\n"
      "done\n"
      "type field.billingFirstName Dana\n"
      "type field.billingLastName Demo\n"
      "type field.billingAddress1 350 Fifth Avenue\n"
      "type field.billingCity New York\n"
      "tap button.billingState\n"
      "pick picker \"New York\"\n"
      "done\n"
      "type field.billingZipcode 10118\n"
      "type field.billingPhoneNumber 2125550100\n"
      "type field.billingEmailAddress demo@kelda.test\n"
      "tap SAVE\n"
      "tap radio.primary.2\n"
      "tap button.markAsPrimary\n");
  ASSERT_EQ(run.status, 0) << run.describe();
  const std::string wallet = run.after("tap button.markAsPrimary");
  EXPECT_NE(wallet.find("************1117"), std::string::npos) << wallet;
  EXPECT_EQ(run.out.find("6011111111111117\n  "), std::string::npos);
  account = signIn("kelda123");
  ASSERT_EQ(account["creditCard"].size(), 3u) << account.describe();
  EXPECT_EQ(account["creditCard"][2]["cardNumber"].str(), "6011111111111117");
  EXPECT_EQ(account["creditCard"][2]["cardExpirationDate"].str(), "Dec, 2030");
  EXPECT_EQ(account["defaultCreditCard"][0]["cardId"].str(),
            account["creditCard"][2]["cardId"].str());

  // Add an address, then remove it again.
  run = inAccountMenu(
      "tap my address book\n"
      "tap Add Address\n"
      "type field.firstName Dana\n"
      "type field.lastName Demo\n"
      "type field.address1 77 Harbor Road\n"
      "type field.city Boston\n"
      "tap button.state\n"
      "pick picker Massachusetts\n"
      "done\n"
      "type field.zipcode 02110\n"
      "tap SAVE\n");
  ASSERT_EQ(run.status, 0) << run.describe();
  EXPECT_NE(run.after("tap SAVE").find("77 Harbor Road"), std::string::npos)
      << run.after("tap SAVE");
  account = signIn("kelda123");
  ASSERT_EQ(account["shipping"].size(), 3u) << account.describe();
  EXPECT_EQ(account["shipping"][2]["address1"].str(), "77 Harbor Road");
  EXPECT_EQ(account["shipping"][2]["state"].str(), "MA");
  const std::string defaultAddress = account["defaultShipping"][0]["contactId"].str();

  run = inAccountMenu("tap my address book\ntap button.remove.2\n");
  ASSERT_EQ(run.status, 0) << run.describe();
  EXPECT_EQ(run.after("tap button.remove.2").find("77 Harbor Road"), std::string::npos);
  account = signIn("kelda123");
  EXPECT_EQ(account["shipping"].size(), 2u) << account.describe();
  EXPECT_EQ(account["defaultShipping"][0]["contactId"].str(), defaultAddress);

  // Change the password, sign out, and sign in with the new one.
  run = inAccountMenu(
      "tap my profile\n"
      "tap Edit\n"
      "type field.password newpass9\n"
      "type field.verifyPassword newpass9\n"
      "tap SAVE\n");
  ASSERT_EQ(run.status, 0) << run.describe();
  EXPECT_EQ(run.out.find("newpass9"), std::string::npos) << "the echo shows the password";
  EXPECT_FALSE(accepted(signIn("kelda123")));
  EXPECT_TRUE(accepted(signIn("newpass9")));
  EXPECT_EQ(platform::readTextFile(home() / "login.plist").value_or(""),
            "demo@kelda.test;newpass9");
  EXPECT_EQ(
      std::filesystem::status(home() / "login.plist").permissions() & std::filesystem::perms::all,
      std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

  run = cli().run(
      "tab more\n"
      "tap logout\n"
      "tap sign in\n"
      "type field.email demo@kelda.test\n"
      "type field.password newpass9\n"
      "tap SIGN IN\n"
      "tab more\n"
      "tap my account\n"
      "tap my profile\n"
      "quit\n",
      home());
  ASSERT_EQ(run.status, 0) << run.describe();
  EXPECT_NE(run.after("tap my profile").find("Danielle"), std::string::npos)
      << run.after("tap my profile");
  EXPECT_EQ(platform::readTextFile(home() / "login.plist").value_or(""),
            "demo@kelda.test;newpass9");
}

}  // namespace
}  // namespace kelda::test
