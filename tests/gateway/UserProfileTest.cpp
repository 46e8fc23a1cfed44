#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "gateway/GlobalFlags.hpp"
#include "gateway/StoredLogin.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "platform/PropertyList.hpp"
#include "platform/TextFile.hpp"
#include "support/ClientFixture.hpp"

namespace kelda::gateway {
namespace {

const json::Value kCardTypes = json::Value::array(
    {json::Value::object({{"ccCode", "VI"}, {"ccName", "Visa"}, {"maxLength", "16"}}),
     json::Value::object({{"ccCode", "MC"}, {"ccName", "MasterCard"}, {"maxLength", "16"}}),
     json::Value::object({{"ccCode", "VI2"}, {"ccName", "Visa"}})});

class UserProfileTest : public test::ClientFixture {
 protected:
  UserProfileDetails& profile() { return UserProfileDetails::sharedUserProfileObject(); }
  std::filesystem::path cardTypesFile() { return home() / UserProfileDetails::kCardTypesFile; }
  void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
};

TEST_F(UserProfileTest, EveryLaunchStartsEmpty) {
  EXPECT_TRUE(profile().profileDictionary().isAbsent());
  EXPECT_TRUE(profile().creditCardTypes().isAbsent());
  EXPECT_TRUE(profile().firstName().isAbsent());
  EXPECT_FALSE(profile().markedSubscribeKeldas());
  EXPECT_TRUE(TarnObjects::sharedInstance().signInResultString().isAbsent());
  EXPECT_EQ(TarnObjects::sharedInstance().pageFlag(), 0);
  EXPECT_FALSE(GlobalFlags::shared().loginSuccessful);

  profile().setFirstName(json::Value("Ann"));
  TarnObjects::sharedInstance().setPageFlag(2);
  {
    platform::Context fresh;
    platform::ScopedContext scope(fresh);
    EXPECT_TRUE(UserProfileDetails::sharedUserProfileObject().firstName().isAbsent());
    EXPECT_EQ(TarnObjects::sharedInstance().pageFlag(), 0);
  }
  EXPECT_EQ(profile().firstName().str(), "Ann");
}

TEST_F(UserProfileTest, StoredValuesAreSnapshots) {
  json::Value answer = json::Value::object({{"data", json::Value::array({1, 2})}});
  TarnObjects::sharedInstance().setSearchResultsDictionary(answer);
  // "Changing" a value means building a new one; the stored field is not affected.
  answer = answer.with("data", json::Value::array());
  const json::Value held = TarnObjects::sharedInstance().searchResultsDictionary();
  EXPECT_EQ(held["data"].size(), 2u);
  TarnObjects::sharedInstance().setSearchResultsDictionary(json::Value::object());
  EXPECT_EQ(held["data"].size(), 2u) << "a reader keeps its own copy";
  EXPECT_TRUE(TarnObjects::sharedInstance().searchResultsDictionary().empty());
}

TEST_F(UserProfileTest, StateLookups) {
  EXPECT_EQ(profile().stateForCode(json::Value("NY")).str(), "New York");
  EXPECT_EQ(profile().stateForCode(json::Value("DC")).str(), "District of Columbia");
  EXPECT_TRUE(profile().stateForCode(json::Value()).isString());
  EXPECT_EQ(profile().stateForCode(json::Value()).str(), "");
  EXPECT_TRUE(profile().stateForCode(json::Value("XX")).isAbsent());
  EXPECT_EQ(profile().codeForState(json::Value("Texas")).str(), "TX");
  EXPECT_TRUE(profile().codeForState(json::Value("Atlantis")).isAbsent());
  EXPECT_TRUE(profile().codeForState(json::Value()).isAbsent());
}

TEST_F(UserProfileTest, CardLookupsTakeTheFirstMatchAndAnswerEmptyOtherwise) {
  EXPECT_EQ(profile().getCodeForCreditCard(json::Value("Visa")), "") << "no list loaded yet";
  EXPECT_EQ(profile().getCardNameForCardCode(json::Value("VI")), "");
  profile().setCreditCardTypes(kCardTypes);
  EXPECT_EQ(profile().getCodeForCreditCard(json::Value("Visa")), "VI");
  EXPECT_EQ(profile().getCodeForCreditCard(json::Value("MasterCard")), "MC");
  EXPECT_EQ(profile().getCodeForCreditCard(json::Value("Amex")), "");
  EXPECT_EQ(profile().getCodeForCreditCard(json::Value()), "");
  EXPECT_EQ(profile().getCardNameForCardCode(json::Value("VI2")), "Visa");
  EXPECT_EQ(profile().getCardNameForCardCode(json::Value("ZZ")), "");
}

TEST_F(UserProfileTest, LogOutEmptiesTheAccountButKeepsTheCardTypes) {
  GlobalFlags::shared().loginSuccessful = true;
  ASSERT_TRUE(writeStoredLogin("a@b.com;secret"));
  profile().setProfileDictionary(json::Value::object({{"emailAddress", "a@b.com"}}));
  profile().setShippingAddressArray(json::Value::array({json::Value::object({{"city", "X"}})}));
  profile().setDefaultCreditCardArray(json::Value::array({json::Value::object({{"cardId", 1}})}));
  profile().setCreditCardTypes(kCardTypes);
  profile().setFirstName(json::Value("Ann"));
  TarnObjects::sharedInstance().setPromoCode("SAVE10");
  TarnObjects::sharedInstance().setOrderConfirmationResult(json::Value::object({{"data", 1}}));

  profile().logOut();

  EXPECT_FALSE(GlobalFlags::shared().loginSuccessful);
  EXPECT_FALSE(std::filesystem::exists(home() / "login.plist"));
  EXPECT_TRUE(profile().profileDictionary().isObject());
  EXPECT_TRUE(profile().profileDictionary().empty());
  EXPECT_TRUE(profile().shippingAddressArray().isArray());
  EXPECT_TRUE(profile().shippingAddressArray().empty());
  EXPECT_TRUE(profile().defaultCreditCardDictionary().empty());
  EXPECT_TRUE(profile().statusDictionary().isObject());
  EXPECT_TRUE(profile().defaultShippingDictionary().isObject());
  // The next shopper sees none of this one's cards, typing, promotion code or order.
  EXPECT_TRUE(profile().defaultCreditCardArray().isArray());
  EXPECT_TRUE(profile().defaultCreditCardArray().empty());
  EXPECT_TRUE(profile().firstName().isAbsent());
  EXPECT_TRUE(TarnObjects::sharedInstance().promoCode().isAbsent());
  EXPECT_TRUE(TarnObjects::sharedInstance().orderConfirmationResult().isAbsent());
  EXPECT_EQ(profile().creditCardTypes().size(), 3u);
  profile().logOut();  // nothing left to delete: still fine
}

TEST_F(UserProfileTest, CardTypesFileOfAnEarlierRunIsUsedWithoutARequest) {
  ASSERT_TRUE(
      platform::writePropertyList(cardTypesFile(), json::Value::object({{"data", kCardTypes}})));
  profile().populateCreditCardTypes();
  EXPECT_EQ(profile().getCodeForCreditCard(json::Value("MasterCard")), "MC");
  EXPECT_EQ(server().requestCount(), 0u);
}

TEST_F(UserProfileTest, WithoutTheFileTheListIsRequestedAndKept) {
  server().answer(
      "/keldas_creditcardtype",
      R"({"data":[{"ccCode":"VI","ccName":"Visa"},{"ccCode":"MC","ccName":"MasterCard"}]})");
  profile().populateCreditCardTypes();
  ASSERT_EQ(server().requestsTo("/keldas_creditcardtype").size(), 1u);
  EXPECT_EQ(server().lastRequest("/keldas_creditcardtype")->body, "");
  EXPECT_EQ(profile().getCardNameForCardCode(json::Value("MC")), "MasterCard");
  const json::Value stored = platform::readPropertyList(cardTypesFile());
  EXPECT_EQ(stored["data"][1]["ccCode"].str(), "MC");
}

TEST_F(UserProfileTest, OneCardTypeIsUsedButNotKept) {
  server().answer("/keldas_creditcardtype", R"({"data":[{"ccCode":"VI","ccName":"Visa"}]})");
  TarnServerAPIs::sharedInstance().getCreditCardTypes();
  EXPECT_EQ(profile().getCodeForCreditCard(json::Value("Visa")), "VI");
  EXPECT_FALSE(std::filesystem::exists(cardTypesFile()));
}

TEST_F(UserProfileTest, DamagedCardTypesFileGivesNoListAndNeverCrashes) {
  const std::string cases[] = {"", std::string("\x00\xff\xfe\x01garbage\x00", 12),
                               "not a property list", "<plist><dict><key>data</key>"};
  for (const std::string& bytes : cases) {
    writeFile(cardTypesFile(), bytes);
    profile().setCreditCardTypes(kCardTypes);
    profile().populateCreditCardTypes();
    EXPECT_TRUE(profile().creditCardTypes().isAbsent()) << bytes;
  }
  std::filesystem::remove(cardTypesFile());
  std::filesystem::create_directory(cardTypesFile());
  profile().populateCreditCardTypes();
  EXPECT_TRUE(profile().creditCardTypes().isAbsent());
  EXPECT_EQ(server().requestCount(), 0u);
}

TEST_F(UserProfileTest, UnreadableCardTypesFileGivesNoList) {
  if (::geteuid() == 0) GTEST_SKIP() << "the owner of every file can read it";
  writeFile(cardTypesFile(), "x");
  std::filesystem::permissions(cardTypesFile(), std::filesystem::perms::none);
  profile().populateCreditCardTypes();
  EXPECT_TRUE(profile().creditCardTypes().isAbsent());
}

}  // namespace
}  // namespace kelda::gateway
