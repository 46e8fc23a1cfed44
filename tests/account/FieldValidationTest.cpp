// The field rules as tables: each predicate over the texts that decide it, and each form's rule
// list as "the valid form with one change gives this message", row by row in rule order.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "account/FormDates.hpp"
#include "account/MyAccountValidation.hpp"
#include "gateway/Components.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "json/SBJson.hpp"
#include "support/ClientFixture.hpp"
#include "ui/Window.hpp"

namespace kelda::account {
namespace {

using namespace std::chrono;
using gateway::Components;
using gateway::UserProfileDetails;

// A field of the form: a text, or absent (nullopt).
using FieldValue = std::optional<std::string>;
using Form = std::vector<std::pair<std::string, FieldValue>>;

const json::Value kAbsent;
// Noon UTC on 15 June 2024: the "now" of every age rule below.
const Clock::time_point kNow = sys_days(2024y / June / 15) + 12h;

void setField(UserProfileDetails& profile, const std::string& name, const FieldValue& value) {
  const json::Value v = value ? json::Value(*value) : json::Value();
#define KELDA_SET_FIELD(field, Setter) \
  if (name == #field) return profile.Setter(v);
  KELDA_PROFILE_VALUE_FIELDS(KELDA_SET_FIELD)
#undef KELDA_SET_FIELD
  ADD_FAILURE() << "no form field " << name;
}

class FieldValidation : public test::ClientFixture {
 public:
  MyAccountValidation& v() { return MyAccountValidation::sharedMyAccountValidation(); }
  UserProfileDetails& form() { return UserProfileDetails::sharedUserProfileObject(); }
  void fill(const Form& fields) {
    for (const auto& [name, value] : fields) setField(form(), name, value);
  }
  void useCardTypes() {
    form().setCreditCardTypes(json::SBJsonParser().objectWithString(
        R"([{"ccName":"Visa","ccCode":"VI","maxLength":"16"},
            {"ccName":"Kelda's Card","ccCode":"KC","maxLength":"13,16"}])"));
  }
};

// ---- predicates ----

using Predicate = bool (MyAccountValidation::*)(const json::Value&) const;
struct PredicateCase {
  const char* name;
  Predicate predicate;
  json::Value text;
  bool expected;
};

TEST_F(FieldValidation, PredicatesJudgeEachCharacterByCodePoint) {
  const PredicateCase cases[] = {
      {"email two letters after the last dot", &MyAccountValidation::isValidEmailAddress,
       "ann@mail.co", true},
      {"email four letters", &MyAccountValidation::isValidEmailAddress, "ann.b+1@x.info", true},
      {"email one letter", &MyAccountValidation::isValidEmailAddress, "ann@mail.c", false},
      {"email five letters", &MyAccountValidation::isValidEmailAddress, "ann@mail.comma", false},
      {"email without @", &MyAccountValidation::isValidEmailAddress, "ann.mail.com", false},
      {"email accented", &MyAccountValidation::isValidEmailAddress, "zo\u00eb@mail.com", false},
      {"email absent", &MyAccountValidation::isValidEmailAddress, kAbsent, false},
      {"name with apostrophe, hyphen, blank, dot", &MyAccountValidation::isNameContainsSpecialChar,
       "O'Neil-Smith Jr.", false},
      {"name accented", &MyAccountValidation::isNameContainsSpecialChar, "Zo\u00eb", true},
      // U+0141 ends in the byte of "A": still not a letter.
      {"name non-Latin", &MyAccountValidation::isNameContainsSpecialChar, "\u0141ukasz", true},
      {"name ampersand", &MyAccountValidation::isNameContainsSpecialChar, "Ann & Bo", true},
      {"name absent", &MyAccountValidation::isNameContainsSpecialChar, kAbsent, false},
      {"digit in name", &MyAccountValidation::isStringContainsDigit, "Ann2", true},
      {"no digit", &MyAccountValidation::isStringContainsDigit, "Ann", false},
      {"digit rule on empty", &MyAccountValidation::isStringContainsDigit, "", true},
      {"digit rule on absent", &MyAccountValidation::isStringContainsDigit, kAbsent, true},
      {"Arabic-Indic digit is no digit", &MyAccountValidation::isStringContainsDigit, "\u0661",
       false},
      {"all digits", &MyAccountValidation::isDigitContainsString, "63101", false},
      {"letter among digits", &MyAccountValidation::isDigitContainsString, "631O1", true},
      {"fullwidth digits", &MyAccountValidation::isDigitContainsString, "\uff16\uff13", true},
      {"non-digit rule on empty", &MyAccountValidation::isDigitContainsString, "", false},
      {"non-digit rule on absent", &MyAccountValidation::isDigitContainsString, kAbsent, false},
      {"city of letters and blanks", &MyAccountValidation::isStringContainsSpecialChar, "St Louis",
       false},
      {"city with a dot", &MyAccountValidation::isStringContainsSpecialChar, "St. Louis", true},
      {"city with a digit", &MyAccountValidation::isStringContainsSpecialChar, "Area 51", true},
      {"address with #", &MyAccountValidation::isAddressContainsSpecialChar, "Apt #5", false},
      {"address with a dot", &MyAccountValidation::isAddressContainsSpecialChar, "5th St.", true},
      {"address with a semicolon", &MyAccountValidation::isAddressContainsSpecialChar, "1;2", true},
      {"password of letters and digits",
       &MyAccountValidation::isStringContainsOnlyAlphabetsAndNumbers, "kelda123", false},
      {"password with a blank", &MyAccountValidation::isStringContainsOnlyAlphabetsAndNumbers,
       "kelda 123", true},
      {"password with ;", &MyAccountValidation::isStringContainsOnlyAlphabetsAndNumbers,
       "kel;da123", true},
      {"password not UTF-8", &MyAccountValidation::isStringContainsOnlyAlphabetsAndNumbers,
       std::string("abc\xff"), true},
      {"no blank", &MyAccountValidation::isStringContainsBalnkSpace, "ann", true},
      {"a blank", &MyAccountValidation::isStringContainsBalnkSpace, "a b", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ((v().*c.predicate)(c.text), c.expected) << c.name;
  }
  runUntilIdle();
  EXPECT_TRUE(ui::Window::shared().alerts().empty());
  // Only the blank rule reports an absent text.
  EXPECT_TRUE(v().isStringContainsBalnkSpace(kAbsent));
  runUntilIdle();
  ASSERT_EQ(ui::Window::shared().alerts().size(), 1u);
  EXPECT_EQ(ui::Window::shared().alerts()[0].message, "Exception: String is nil.");
}

TEST_F(FieldValidation, LengthsCountUtf16UnitsAndCardLengthsAreAList) {
  EXPECT_FALSE(v().validateEntry(kAbsent, 10, 0));
  EXPECT_TRUE(v().validateEntry("", 10, 0));
  EXPECT_TRUE(v().validateEntry("Zo\u00eb", 3, 3));
  EXPECT_TRUE(v().validateEntry("\U0001F600", 2, 2));
  EXPECT_FALSE(v().validateEntry(std::string(300, 'a'), 75, 5));

  EXPECT_TRUE(v().validateCardEntry(std::string(13, '4'), "13,16"));
  EXPECT_TRUE(v().validateCardEntry(std::string(16, '4'), "13,16"));
  EXPECT_FALSE(v().validateCardEntry(std::string(15, '4'), "13,16"));
  EXPECT_FALSE(v().validateCardEntry(kAbsent, "16"));
  EXPECT_FALSE(v().validateCardEntry(std::string(16, '4'), kAbsent));

  useCardTypes();
  form().setCardType("Kelda's Card");
  form().setCardNumber(std::string(15, '4'));
  EXPECT_FALSE(v().cardNumberFitsType(form()));
  form().setCardNumber(std::string(13, '4'));
  EXPECT_TRUE(v().cardNumberFitsType(form()));
  form().setCardType("Unknown Card");
  form().setCardNumber("1");
  EXPECT_TRUE(v().cardNumberFitsType(form())) << "no matching type: the length is not tested";
}

TEST_F(FieldValidation, DatesMustExistAndTheShopperBeFourteen) {
  const std::pair<json::Value, bool> dates[] = {
      {"Feb 29, 2000", true},
      {"Feb 29, 2012", true},
      {"Feb 29, 1900", false},
      {"Feb 29, 2011", false},
      {"Apr 31, 2000", false},
      {"Jan 1, 2000", true},
      {"Jan 01, 2000", true},
      {"Dec 31, 1999", true},
      {"2000-01-01", false},
      {"Jan 1, 2000 ", false},
      {"", false},
      {kAbsent, false},
  };
  for (const auto& [text, valid] : dates) EXPECT_EQ(v().validateDate(text), valid) << text.str();

  const sys_days today = floor<days>(kNow);
  EXPECT_TRUE(v().isBirthDateEligible(formatFormDate(today - days(14 * 365)), kNow));
  EXPECT_FALSE(v().isBirthDateEligible(formatFormDate(today - days(13 * 365 + 364)), kNow));
  EXPECT_FALSE(v().isBirthDateEligible(formatFormDate(today + days(400)), kNow));
  EXPECT_FALSE(v().isBirthDateEligible("not a date", kNow));
  EXPECT_EQ(formatFormDate(sys_days(2000y / January / 1)), "Jan 1, 2000");
  EXPECT_EQ(formatFormDate(sys_days(2012y / March / 21)), "Mar 21, 2012");
}

TEST_F(FieldValidation, ComponentsValidatorsForTheOtherForms) {
  const Components& c = Components::sharedInstance();
  EXPECT_TRUE(c.validateEmail("demo@kelda.test"));
  EXPECT_FALSE(c.validateEmail(""));
  EXPECT_FALSE(c.validateEmail("demo@kelda.test\n"));
  EXPECT_TRUE(c.validateAlpha("S\u00e3o"));
  EXPECT_TRUE(c.validateAlpha(""));
  EXPECT_FALSE(c.validateAlpha("New York"));
  EXPECT_TRUE(c.validateAlphanumeric("S\u00e3o1"));
  EXPECT_FALSE(c.validateAlphanumeric("a-1"));
  EXPECT_TRUE(c.validateStringInCharacterSet("aab", [](char32_t ch) { return ch <= U'b'; }));
  EXPECT_FALSE(c.validateStringInCharacterSet("abc", [](char32_t ch) { return ch <= U'b'; }));
  EXPECT_TRUE(c.isDigitContainsString("12a"));
  EXPECT_TRUE(c.isStringContainsDigit(""));
}

// ---- form rule lists ----

struct RuleCase {
  Form change;
  const char* message;
};

// Runs `rules` over `base` and then over `base` with each case's change: the valid form passes
// and each change gives its message.
template <class Rules>
void expectRules(FieldValidation& test, const Form& base, const std::vector<RuleCase>& cases,
                 Rules rules) {
  test.fill(base);
  EXPECT_EQ(rules(), std::nullopt) << "the valid form";
  for (const RuleCase& c : cases) {
    test.fill(base);
    test.fill(c.change);
    const std::string changed =
        c.change.front().first + "=" + c.change.front().second.value_or("(absent)");
    EXPECT_EQ(rules(), std::optional<std::string>(c.message)) << changed;
  }
}

const std::string k21(21, 'a'), k31(31, 'a'), k26(26, 'a');
const std::string k300(300, 'a');
const std::string kLongEmail = std::string(70, 'a') + "@x.com";  // 76 characters

const Form kProfile = {{"firstName", "Ann"},           {"lastName", "O'Neil-Smith Jr."},
                       {"emailAddress", "ann@x.com"},  {"password", "Kelda123"},
                       {"verifyPassword", "Kelda123"}, {"birthDate", "Jan 1, 1990"}};

TEST_F(FieldValidation, RegistrationProfileStep) {
  expectRules(
      *this, kProfile,
      {
          {{{"firstName", std::nullopt}}, "First Name cannot be left empty. Please try again."},
          {{{"firstName", ""}}, "First Name cannot be left empty. Please try again."},
          {{{"firstName", k21}},
           "First Name is required entry and may contain maximum 20 characters and minumum of 1 "
           "character"},
          {{{"firstName", "Ann&Bo"}}, "Name may not contain special characters"},
          {{{"firstName", "Zo\u00eb"}}, "Name may not contain special characters"},
          {{{"firstName", "Ann2"}}, "Name may not contain numeric values"},
          {{{"lastName", ""}}, "Last Name cannot be left empty. Please try again."},
          {{{"lastName", k31}},
           "Last Name is required entry and may contain maximum 30 characters and minumum of 1 "
           "character"},
          {{{"lastName", "Smith;"}}, "Name may not contain special characters"},
          {{{"lastName", "Smith3"}}, "Name may not contain numeric values"},
          {{{"emailAddress", ""}}, "Email Address cannot be left empty. Please try again."},
          {{{"emailAddress", "a@bc"}},
           "Email Address is required entry and may contain maximum 40 characters"},
          {{{"emailAddress", kLongEmail}},
           "Email Address is required entry and may contain maximum 40 characters"},
          {{{"emailAddress", "ann@x.c"}}, "Please enter valid email address."},
          {{{"password", ""}}, "Password cannot be left empty. Please try again."},
          {{{"password", "Kel1"}},
           "Password is required entry and may contain maximum 16 characters and minumum of 5 "
           "characters"},
          {{{"password", "Kelda 123"}}, "Password may not contain special characters"},
          {{{"password", "Kelda;123"}}, "Password may not contain special characters"},
          {{{"verifyPassword", std::nullopt}},
           "Verify Password cannot be left empty. Please try again."},
          {{{"verifyPassword", k300}},
           "Verify Password is required entry and may contain maximum 16 characters and minumum "
           "of 5 characters"},
          {{{"verifyPassword", "Kelda+123"}}, "Password may not contain special characters"},
          {{{"verifyPassword", "Kelda124"}},
           "Please check the username and password you have entered"},
          {{{"birthDate", "Feb 29, 2011"}}, "Please enter a valid birth date."},
          {{{"birthDate", "Jan 01, 2024"}},
           "You are currently not eligible to access this application as you are under age. "
           "Please enter a valid birth date"},
      },
      [&] { return v().validateMyProfileTab(form(), kNow); });
}

const Form kAddress = {{"address1", "Apt #5 Main St"}, {"address2", std::nullopt},
                       {"city", "St Louis"},           {"state", "Missouri"},
                       {"zipcode", "63101"},           {"phoneNumber", ""}};

TEST_F(FieldValidation, RegistrationAddressStep) {
  expectRules(
      *this, kAddress,
      {
          {{{"address1", ""}}, "Address line 1 cannot be left empty. Please try again"},
          {{{"address1", "5t"}},
           "Address Line 1 is required entry and may contain maximum 30 characters"},
          {{{"address1", "5th St."}}, "Address may not contain special characters"},
          {{{"address2", k31}}, "Address Line 2 entry should not exceed more than 30 characters"},
          {{{"address2", "Floor 2%"}}, "Address may not contain special characters"},
          {{{"city", std::nullopt}}, "City cannot be left empty. Please try again"},
          {{{"city", k26}}, "City is required entry and may contain maximum 25 characters"},
          {{{"city", "St. Louis"}}, "Please enter a valid city name."},
          {{{"city", "Area 51"}}, "Please enter a valid city name."},
          {{{"state", std::nullopt}}, "State cannot be left empty. Please try again"},
          {{{"zipcode", ""}}, "Zip code cannot be left empty. Please try again"},
          {{{"zipcode", "6310"}}, "Please enter a valid zip code"},
          {{{"zipcode", "6310a"}}, "Please enter a valid zip code"},
          {{{"phoneNumber", "555123456"}}, "Please enter a valid phone number"},
          {{{"phoneNumber", "555-123-45"}}, "Phone Number may only contain numeric values"},
      },
      [&] { return v().validateMyAddressTab(form()); });
}

const Form kWalletTab = {{"billingAddress1", "1 Elm St"},    {"billingAddress2", std::nullopt},
                         {"billingCity", "Austin"},          {"billingState", "Texas"},
                         {"billingZipcode", "78701"},        {"cardType", "Visa"},
                         {"cardNumber", "4111111111111111"}, {"billingPhoneNumber", "5125550100"}};

TEST_F(FieldValidation, RegistrationCardStep) {
  useCardTypes();
  form().setMarkedAsShippingAddress(false);
  expectRules(
      *this, kWalletTab,
      {
          {{{"billingAddress1", std::nullopt}},
           "Address Line 1 is required entry and may contain maximum 30 characters"},
          {{{"billingAddress2", k31}},
           "Address Line 2 entry should not exceed more than 30 characters"},
          {{{"billingCity", ""}}, "City is required entry and may contain maximum 25 characters"},
          {{{"billingCity", "Austin 2"}}, "Please enter a valid city name."},
          {{{"billingState", std::nullopt}}, "State is required entry. Please select state."},
          {{{"billingZipcode", "7870"}},
           "Zipcode is required entry and may contain maximum 6 and minimum 5 digits"},
          {{{"billingZipcode", "7870a"}}, "Zipcode may contain only numeric values"},
          {{{"cardNumber", "4111 1111 1111 1111"}}, "Card Number may contain only numeric values"},
          {{{"cardNumber", "411111111111111"}}, "Please enter a valid credit card number."},
          {{{"cardNumber", std::nullopt}}, "Please enter a valid credit card number."},
          {{{"billingPhoneNumber", std::nullopt}}, "Please enter a valid phone number"},
          {{{"billingPhoneNumber", "512555010a"}}, "Phone Number may only contain numeric values"},
      },
      [&] { return v().validateMyWalletTab(form()); });

  // With "use my shipping address" on, the billing address is not tested.
  form().setMarkedAsShippingAddress(true);
  fill(kWalletTab);
  fill({{"billingCity", "Austin 2"}, {"billingState", std::nullopt}});
  EXPECT_EQ(v().validateMyWalletTab(form()), std::nullopt);
}

TEST_F(FieldValidation, ProfileEdit) {
  Form base = kProfile;
  base.insert(base.end(),
              {{"address1", "Apt #5 Main St"}, {"address2", std::nullopt}, {"zipcode", "63101"}});
  expectRules(
      *this, base,
      {
          {{{"firstName", ""}}, "First Name cannot be left empty. Please try again"},
          {{{"firstName", k21}},
           "First Name is required entry and may contain maximum 20 characters and minumum of 1 "
           "characters"},
          {{{"firstName", "Ann!"}}, "First Name may not contain special characters"},
          {{{"firstName", "Ann1"}}, "First Name may not contain numeric values"},
          {{{"lastName", std::nullopt}}, "Last name cannot be left empty. Please try again."},
          {{{"lastName", k31}},
           "Last Name is required entry and may contain maximum 30 characters and minumum of 1 "
           "character"},
          {{{"lastName", "Sm\u00eeth"}}, "Last Name may not contain special characters"},
          {{{"lastName", "Smith9"}}, "Last Name may not contain numeric values"},
          {{{"emailAddress", ""}}, "Email address cannot be left empty. Please try again."},
          {{{"emailAddress", kLongEmail}},
           "Email Address is required entry and may contain maximum 75 characters"},
          {{{"emailAddress", "ann@"}}, "Please enter valid email address"},
          {{{"password", ""}}, "Password cannot be left empty. Please try again."},
          {{{"password", k21}},
           "Password is required entry and may contain maximum 16 characters and minumum of 5 "
           "characters"},
          {{{"password", "Kelda&123"}}, "Password may not contain special characters"},
          {{{"verifyPassword", ""}}, "Verify Password cannot be left empty. Please try again."},
          {{{"verifyPassword", "Kel"}},
           "Verify Password is required entry and may contain maximum 16 characters and minumum "
           "of 5 characters"},
          {{{"verifyPassword", "Kelda%123"}}, "Password may not contain special characters"},
          {{{"verifyPassword", "Kelda1234"}},
           "Please check the username and the password you have entered."},
          {{{"address1", ""}}, "Address Line 1 cannot be left empty. Please try again."},
          {{{"address1", k31}},
           "Address Line 1 is required entry and may contain maximum 30 characters"},
          {{{"address2", k31}}, "Address Line 2 entry may contain maximum 30 characters"},
          {{{"zipcode", std::nullopt}}, "Zip Code cannot be left empty. Please try again."},
          {{{"zipcode", "631011"}}, "Please enter a valid zip code."},
          {{{"birthDate", "Apr 31, 2000"}}, "Please enter a valid birth date."},
          {{{"birthDate", "Jun 15, 2011"}},
           "You are currently not eligible to access this application as you are under age. "
           "Please enter a valid birth date."},
      },
      [&] { return v().validateMyProfile(form(), kNow); });
  // City, state and digits of the ZIP code are not this form's business.
  fill(base);
  fill({{"city", "St. Louis 9"}, {"zipcode", "6310a"}});
  EXPECT_EQ(v().validateMyProfile(form(), kNow), std::nullopt);
}

const Form kCard = {{"billingFirstName", "Ann"},
                    {"billingLastName", "Lee"},
                    {"billingAddress1", "1 Elm St"},
                    {"billingAddress2", ""},
                    {"billingCity", "Austin"},
                    {"billingState", "Texas"},
                    {"billingZipcode", "78701"},
                    {"billingPhoneNumber", "5125550100"},
                    {"cardType", "Visa"},
                    {"cardNumber", "4111111111111111"},
                    {"billingEmailAddress", "ann@x.com"}};

TEST_F(FieldValidation, CardEdit) {
  useCardTypes();
  expectRules(
      *this, kCard,
      {
          {{{"billingFirstName", ""}}, "First Name cannot be empty. Please try again"},
          {{{"billingFirstName", k21}},
           "First Name is required entry and may contain maximum 20 characters and minumum of 1 "
           "character"},
          {{{"billingFirstName", "A+n"}}, "Name may not contain special characters"},
          {{{"billingFirstName", "An2"}}, "Name may not contain numeric values"},
          {{{"billingLastName", std::nullopt}}, "Last Name cannot be empty. Please try again"},
          {{{"billingLastName", k31}},
           "Last Name is required entry and may contain maximum 30 characters and minumum of 1 "
           "character"},
          {{{"billingLastName", "L\u00e9e"}}, "Name may not contain special characters"},
          {{{"billingLastName", "Lee7"}}, "Name may not contain numeric values"},
          {{{"billingAddress1", ""}}, "Address Line 1 cannot be empty. Please try again"},
          {{{"billingAddress1", "1E"}},
           "Address Line 1 is required entry and may contain maximum 30 characters"},
          {{{"billingAddress1", "1 Elm St."}}, "Address may not contain special characters"},
          {{{"billingAddress2", k31}}, "Address Line 2 entry may contain maximum 30 characters"},
          {{{"billingAddress2", "Unit 4/5"}}, "Address may not contain special characters"},
          {{{"billingCity", ""}}, "City cannot be empty. Please try again"},
          {{{"billingCity", k26}}, "Please enter a valid city name"},
          {{{"billingCity", "Austin1"}}, "Please enter a valid city name."},
          {{{"billingState", ""}}, "State cannot be empty. Please try again"},
          {{{"billingZipcode", ""}}, "Zip Code cannot be empty. Please try again"},
          {{{"billingZipcode", "787012"}}, "Please enter a valid zip code."},
          {{{"billingZipcode", "7870-"}}, "Zipcode may contain only numeric values"},
          {{{"billingPhoneNumber", std::nullopt}},
           "Phone Number cannot be left empty. Please try again"},
          {{{"billingPhoneNumber", "512-555-0100"}},
           "Please enter valid phone number in the format xxx-xxx-xxxx."},
          {{{"billingPhoneNumber", "51255501OO"}}, "Phone Number may contain only numeric values"},
          {{{"cardNumber", "41111111111"}}, "Please enter a valid credit card number."},
          {{{"cardNumber", "4111-11111111111"}}, "Card Number may contain only numeric values"},
          {{{"billingEmailAddress", kLongEmail}},
           "Email Address is required entry and may contain maximum 75 characters"},
          {{{"billingEmailAddress", std::nullopt}}, "Please enter valid email address"},
      },
      [&] { return v().validateMyWallet(form(), kAbsent, kAbsent); });

  // A masked number that was not retyped stands for the card's real number.
  const json::Value card = json::Value::object({{"cardNumber", "4111111111111111"}});
  fill(kCard);
  form().setCardNumber("************1111");
  EXPECT_EQ(v().validateMyWallet(form(), "************1111", card), std::nullopt);
  EXPECT_EQ(form().cardNumber().str(), "4111111111111111");
  // A retyped number is judged as typed.
  form().setCardNumber("************1112");
  EXPECT_EQ(v().validateMyWallet(form(), "************1111", card),
            "Card Number may contain only numeric values");
}

const Form kAddressBook = {{"firstName", "Ann"},   {"lastName", "Lee"},
                           {"address1", "Apt #5"}, {"address2", std::nullopt},
                           {"city", "New York"},   {"state", std::nullopt},
                           {"zipcode", "10001"},   {"phoneNumber", ""}};

TEST_F(FieldValidation, AddressBookEntry) {
  expectRules(
      *this, kAddressBook,
      {
          {{{"firstName", ""}}, "First Name cannot be left empty. Please try again"},
          {{{"firstName", k21}},
           "First Name is required entry and may contain maximum 20 characters and minumum of 1 "
           "character"},
          {{{"firstName", "Ann;"}}, "First Name may not contain special characters"},
          {{{"firstName", "4nn"}}, "First Name may not contain numeric values"},
          {{{"lastName", ""}}, "Last Name cannot be left empty. Please try again"},
          {{{"lastName", k31}},
           "Last Name is required entry and may contain maximum 30 characters and minumum of 1 "
           "character"},
          {{{"lastName", "L%e"}}, "Last Name may not contain special characters"},
          {{{"lastName", "Le3"}}, "Last Name may not contain numeric values"},
          {{{"address1", ""}}, "Address Line 1 cannot be left empty. Please try again."},
          {{{"address1", k31}},
           "Address Line 1 is required entry and may contain maximum 30 characters"},
          {{{"address1", "Apt 5, Main"}}, "Address may not contain special characters"},
          {{{"address2", k31}}, "Address Line 2 entry may contain maximum 30 characters"},
          {{{"address2", "c/o Lee"}}, "Address may not contain special characters"},
          {{{"city", ""}}, "City cannot be left empty. Please try again"},
          {{{"city", k26}}, "City is required entry and may contain maximum 25 characters"},
          {{{"city", "N.Y."}}, "Please enter a valid city name."},
          {{{"state", ""}}, "State cannot be left empty. Please try again"},
          {{{"zipcode", std::nullopt}}, "Please enter a valid zip code"},
          {{{"zipcode", "1000a"}}, "Please enter a valid zip code"},
          {{{"phoneNumber", "21255501"}}, "Please enter a valid phone number."},
          {{{"phoneNumber", "212555010+"}}, "Phone Number may only contain numeric values"},
      },
      [&] { return v().validateMyAddressBook(form()); });
}

}  // namespace
}  // namespace kelda::account
