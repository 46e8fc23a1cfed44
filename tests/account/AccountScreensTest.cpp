// The account area's screens as a shopper uses them: the menu, the profile with its save and
// the stored log-in, the wallet and address book lists and their edit screens. What the screens
// show, the exact bodies they send, and that a refused or failed change keeps both the stored
// data and the shopper's typing.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AccountAreaFixture.hpp"
#include "account/MyAccountViewController.hpp"
#include "account/MyAddressBookEditViewController.hpp"
#include "account/MyAddressBookViewController.hpp"
#include "account/MyProfileViewController.hpp"
#include "account/MyWalletEditViewController.hpp"
#include "account/MyWalletViewController.hpp"
#include "ui/RadioButton.hpp"

namespace kelda::account {
namespace {

using gateway::GlobalFlags;

const std::string kTail = "&loginUserName=ann@x.com&loginPassword=secret1";

class AccountScreens : public test::AccountAreaFixture {
 protected:
  bool contains(const std::string& text) { return screenText().find(text) != std::string::npos; }
  // The text of a field of the edit screen on top.
  std::string fieldText(const std::string& identifier) {
    ui::TextField* field = nullptr;
    if (auto* profile = dynamic_cast<MyProfileViewController*>(top())) {
      field = profile->field(identifier);
    } else if (auto* card = dynamic_cast<MyWalletEditViewController*>(top())) {
      field = card->field(identifier);
    } else if (auto* address = dynamic_cast<MyAddressBookEditViewController*>(top())) {
      field = address->field(identifier);
    }
    return field ? field->text : "(no field)";
  }
  void pick(const std::string& button, const std::vector<std::string>& rows) {
    tap(button);
    act(actor().pick("picker", rows));
    act(actor().done());
  }
  std::string storedPassword() { return gateway::readStoredLogin()["loginPassword"].str(); }
};

TEST_F(AccountScreens, TheMenuOpensEachScreenOnlyForASignedInShopper) {
  auto menu = std::make_shared<MyAccountViewController>();
  push(menu);
  EXPECT_EQ(top()->title(), "My Account");
  GlobalFlags::shared().loginSuccessful = false;
  tap("my wallet");
  EXPECT_EQ(alertMessages(),
            std::vector<std::string>{"Need to Sign In first before viewing My Account."});
  closeAlerts();
  EXPECT_EQ(top(), menu.get());
  GlobalFlags::shared().loginSuccessful = true;
  for (const char* row : {"my profile", "my wallet", "my address book"}) {
    tap(row);
    EXPECT_NE(top(), menu.get()) << row;
    EXPECT_EQ(top()->title(), "My Account");
    act(actor().back());
    EXPECT_EQ(top(), menu.get()) << row;
  }
  // Tags run on workers of their own, so only their number per page id is fixed.
  std::vector<std::string> tags = pageTags();
  std::sort(tags.begin(), tags.end());
  EXPECT_EQ(tags,
            (std::vector<std::string>{"mobile.address.myaccount", "mobile.landing.myaccount",
                                      "mobile.landing.myaccount", "mobile.landing.myaccount",
                                      "mobile.landing.myaccount", "mobile.profile.myaccount",
                                      "mobile.profile.myaccount", "mobile.wallet.myaccount"}));
}

TEST_F(AccountScreens, AConfirmedProfileSaveRewritesTheStoredLogIn) {
  auto profile = std::make_shared<MyProfileViewController>();
  push(profile);
  for (const char* shown : {"First Name:", "Ann", "Email Address:", "ann@x.com", "Feb 02, 1991",
                            "Female", "Privacy policy."}) {
    EXPECT_TRUE(contains(shown)) << shown;
  }
  tap("Edit");
  ASSERT_TRUE(profile->isEditable());
  EXPECT_EQ(fieldText("firstName"), "Ann");
  EXPECT_EQ(fieldText("password"), "secret1");
  EXPECT_TRUE(contains("Subscribe to keldas' exclusive sales and events:"));
  type("field.firstName", "Anna");
  type("field.emailAddress", "anna@x.com");
  type("field.password", "newpass9");
  type("field.verifyPassword", "newpass9");
  tap("switch.subscribe");
  server().answer("/edit_profile", test::signedInAnswer());
  tap("SAVE");
  EXPECT_EQ(lastBody("/edit_profile"),
            "myAccountType=profile&userId=41&firstName=Anna&lastName=Lee&emailAddress=ann@x.com"
            "&updatedEmailAddress=anna@x.com&password=newpass9&verifyPassword=newpass9"
            "&address1=1 Main St&address2=&zipcode=02108&city=Boston&state=MA"
            "&dateOfBirth=Feb 02, 1991&gender=F&subscriptionFlag=0&loginPassword=secret1");
  EXPECT_FALSE(profile->isEditable());
  EXPECT_EQ(gateway::readStoredLogin()["loginUserName"].str(), "anna@x.com");
  EXPECT_EQ(storedPassword(), "newpass9");
  struct stat info {};
  ASSERT_EQ(::stat(gateway::storedLoginPath().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_TRUE(form().firstName().text().empty());
  EXPECT_TRUE(alertMessages().empty());
}

TEST_F(AccountScreens, ARefusedOrFailedProfileSaveKeepsTheFormAndTheStoredLogIn) {
  auto profile = std::make_shared<MyProfileViewController>();
  push(profile);
  tap("Edit");
  type("field.firstName", "");
  tap("SAVE");
  EXPECT_EQ(alertMessages(),
            std::vector<std::string>{"First Name cannot be left empty. Please try again"});
  closeAlerts();
  EXPECT_FALSE(server().lastRequest("/edit_profile"));

  type("field.firstName", "Anna");
  type("field.password", "newpass9");
  type("field.verifyPassword", "newpass9");
  const struct {
    std::string answer;
    std::string message;
  } failures[] = {
      {test::accountAnswer("", "Please enter your current password.", "[]", "[]", "[]", "[]"),
       "Please enter your current password."},
      {R"({"status":[{"error":""}],"profile":[],"shipping":[],"defaultShipping":[],
        "creditCard":[],"defaultCreditCard":[]})",
       ""},
      {"", kUnexpectedErrorMessage},
  };
  for (const auto& failure : failures) {
    server().answer("/edit_profile", failure.answer);
    tap("SAVE");
    EXPECT_EQ(alertMessages(), failure.message.empty() ? std::vector<std::string>{}
                                                       : std::vector<std::string>{failure.message});
    closeAlerts();
    EXPECT_TRUE(profile->isEditable());
    EXPECT_EQ(fieldText("firstName"), "Anna");
    EXPECT_EQ(storedPassword(), "secret1");
    EXPECT_EQ(form().profileDictionary()["firstName"].str(), "Ann");
    EXPECT_EQ(form().shippingAddressArray().size(), 2u);
  }
  tap("CANCEL");
  EXPECT_FALSE(profile->isEditable());
  EXPECT_TRUE(contains("Ann"));
}

TEST_F(AccountScreens, TheWalletListsMaskedCardsAndMarksOrRemovesThem) {
  auto wallet = std::make_shared<MyWalletViewController>();
  push(wallet);
  for (const char* shown :
       {"my wallet", "************1111", "Boston, MA 02108", "Visa", "Mar, 2031", "*********0004",
        "Austin, 78701", "Kelda's Card", "MARK AS PRIMARY BILLING ADDRESS", "Return policy."}) {
    EXPECT_TRUE(contains(shown)) << shown;
  }
  EXPECT_FALSE(contains("4111111111111111"));
  EXPECT_EQ(wallet->selectedIndex(), 0);
  // A card whose type may not be edited here opens nothing.
  tap("button.edit.1");
  EXPECT_EQ(top(), wallet.get());

  tap("radio.primary.1");
  EXPECT_TRUE(wallet->isPrimaryChanged());
  server().answer(
      "/edit_primary_wallet",
      test::accountAnswer("AUTHENTICATED", "", "[]", "[]",
                          test::list(test::kVisa, test::kStoreCard), test::list(test::kStoreCard)));
  tap("button.markAsPrimary");
  EXPECT_EQ(lastBody("/edit_primary_wallet"), "cardId=22&defaultCardId=21" + kTail);
  EXPECT_EQ(form().defaultCreditCardDictionary()["cardId"].str(), "22");
  EXPECT_EQ(wallet->selectedIndex(), 1);

  // No answer: the cards stay as they were and the shopper is told.
  server().answer("/delete_wallet", test::FakeAnswer{.closeWithoutAnswer = true});
  tap("button.remove.0");
  EXPECT_EQ(alertMessages(), std::vector<std::string>{kUnexpectedErrorMessage});
  closeAlerts();
  EXPECT_TRUE(contains("************1111"));
  EXPECT_EQ(form().defaultCreditCardArray().size(), 2u);

  server().answer("/delete_wallet",
                  test::accountAnswer("AUTHENTICATED", "", "[]", "[]", "[]", "[]"));
  tap("button.remove.1");
  EXPECT_EQ(lastBody("/delete_wallet"), "loginUserName=ann@x.com&loginPassword=secret1&cardId=22");
  EXPECT_TRUE(
      contains("You need to have at least one credit card and a billing address in "
               "order to make a purchase at Kelda's"));
  EXPECT_TRUE(contains("billing address information:"));
}

TEST_F(AccountScreens, TheCardEditScreenSendsTheStoredNumberAndKeepsTypingWhenRefused) {
  auto wallet = std::make_shared<MyWalletViewController>();
  push(wallet);
  tap("button.edit.0");
  ASSERT_NE(dynamic_cast<MyWalletEditViewController*>(top()), nullptr);
  EXPECT_EQ(fieldText("cardNumber"), "************1111");
  for (const char* shown : {"credit card details:", "primary billling information:", "Mar, 2031",
                            "Massachusetts", "Visa"}) {
    EXPECT_TRUE(contains(shown)) << shown;
  }
  type("field.billingCity", "Cambridge");
  server().answer("/edit_wallet", test::accountAnswer("", "Please enter a valid card number.", "[]",
                                                      "[]", "[]", "[]"));
  tap("SAVE");
  EXPECT_EQ(lastBody("/edit_wallet"),
            "cardId=21&cardType=VI&cardNumber=4111111111111111&cardExpirationDate=Mar 01, 2031"
            "&billingContactId=800021&billingFirstName=Ann&billingLastName=Lee"
            "&billingEmailAddress=ann@x.com&billingAddress1=1 Main St&billingAddress2="
            "&billingCity=Cambridge&billingState=MA&billingZipcode=02108"
            "&billingPhone=6175550100" +
                kTail);
  EXPECT_EQ(alertMessages(), std::vector<std::string>{"Please enter a valid card number."});
  closeAlerts();
  ASSERT_NE(dynamic_cast<MyWalletEditViewController*>(top()), nullptr);
  EXPECT_EQ(fieldText("billingCity"), "Cambridge");
  EXPECT_EQ(form().cardNumber().str(), "************1111");
  EXPECT_EQ(form().defaultCreditCardArray().size(), 2u);

  server().answer("/edit_wallet", test::signedInAnswer());
  tap("SAVE");
  EXPECT_EQ(top(), wallet.get());
  EXPECT_TRUE(form().billingCity().text().empty());

  // "+" starts a new Visa card expiring in January; the rules run before anything is sent.
  tap("nav.right");
  EXPECT_EQ(fieldText("cardNumber"), "");
  EXPECT_TRUE(contains("Visa"));
  server().clearRequests();
  tap("SAVE");
  EXPECT_EQ(alertMessages(),
            std::vector<std::string>{"First Name cannot be empty. Please try again"});
  EXPECT_FALSE(server().lastRequest("/edit_wallet"));
}

TEST_F(AccountScreens, TheAddressBookAddsTheFirstAddressAsPrimaryAndKeepsARefusedOne) {
  form().setShippingAddressArray(json::Value::array());
  form().setDefaultShippingDictionary(json::Value());
  auto book = std::make_shared<MyAddressBookViewController>();
  push(book);
  EXPECT_TRUE(
      contains("You need to have at least one shipping address in order to make a "
               "purchase at Kelda's"));
  tap("Add Address");
  ASSERT_NE(dynamic_cast<MyAddressBookEditViewController*>(top()), nullptr);
  EXPECT_TRUE(contains("my address book"));
  EXPECT_TRUE(contains("Select State"));
  type("field.firstName", "Ann");
  type("field.lastName", "Lee");
  type("field.address1", "5 Oak St");
  type("field.city", "Salem");
  type("field.zipcode", "01970");
  pick("button.state", {"Massachusetts"});
  server().answer("/edit_shipping", test::accountAnswer("", "Please enter a valid ZIP code.", "[]",
                                                        "[]", "[]", "[]"));
  tap("SAVE");
  EXPECT_EQ(lastBody("/edit_shipping"),
            "myAccountType=addressBook&contactId=&defaultContactId=&firstName=Ann&lastName=Lee"
            "&address1=5 Oak St&address2=&city=Salem&state=MA&zipcode=01970&phone=&isPrimary=1" +
                kTail);
  EXPECT_EQ(alertMessages(), std::vector<std::string>{"Please enter a valid ZIP code."});
  closeAlerts();
  ASSERT_NE(dynamic_cast<MyAddressBookEditViewController*>(top()), nullptr);
  EXPECT_EQ(fieldText("address1"), "5 Oak St");

  server().answer("/edit_shipping", test::signedInAnswer());
  tap("SAVE");
  EXPECT_EQ(top(), book.get());
  EXPECT_TRUE(contains("9 Elm St"));
  EXPECT_TRUE(contains("Austin TX 78701"));
  EXPECT_TRUE(contains("MARK AS PRIMARY SHIPPING ADDRESS"));
}

TEST_F(AccountScreens, MarkingAnAddressTheServerDeletedMeanwhileChangesNothing) {
  auto book = std::make_shared<MyAddressBookViewController>();
  push(book);
  tap("radio.primary.1");
  server().answer(
      "/edit_primary_shipping",
      test::accountAnswer("", "We couldn't find that address.", "[]", "[]", "[]", "[]"));
  tap("button.markAsPrimary");
  EXPECT_EQ(lastBody("/edit_primary_shipping"), "contactId=12" + kTail);
  EXPECT_EQ(alertMessages(), std::vector<std::string>{"We couldn't find that address."});
  closeAlerts();
  EXPECT_EQ(form().shippingAddressArray().size(), 2u);
  EXPECT_EQ(form().defaultShippingDictionary()["contactId"].str(), "11");
  EXPECT_EQ(book->selectedIndex(), 0);

  // Editing the default address sends it as primary.
  tap("button.edit.0");
  EXPECT_EQ(fieldText("address1"), "1 Main St");
  EXPECT_TRUE(contains("Massachusetts"));
  server().answer("/edit_shipping", test::signedInAnswer());
  tap("SAVE");
  EXPECT_EQ(lastBody("/edit_shipping"),
            "myAccountType=addressBook&contactId=11&defaultContactId=11&firstName=Ann"
            "&lastName=Lee&address1=1 Main St&address2=&city=Boston&state=MA&zipcode=02108"
            "&phone=6175550100&isPrimary=1" +
                kTail);
  EXPECT_EQ(top(), book.get());
}

}  // namespace
}  // namespace kelda::account
