#include "account/MyAccountValidation.hpp"

#include "account/FormDates.hpp"
#include "gateway/Components.hpp"
#include "gateway/FieldCharacters.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "platform/Context.hpp"

namespace kelda::account {
namespace {

using gateway::Components;
using gateway::isAsciiBlank;
using gateway::isAsciiDigit;
using gateway::isAsciiLetter;
using gateway::UserProfileDetails;

bool isAbsent(const json::Value& text) {
  return text.isAbsent() || text.isNull();
}

// Absent, or the empty text.
bool isEmpty(const json::Value& text) {
  return isAbsent(text) || text.text().empty();
}

long long lengthOf(const json::Value& text) {
  return static_cast<long long>(gateway::utf16Length(text.text()));
}

// True when some character of a present text falls outside `allowed`.
template <class Allowed>
bool hasCharacterOutside(const json::Value& text, Allowed allowed) {
  return !isAbsent(text) && !gateway::everyCharacter(text.text(), allowed);
}

// One form's rules in order: the first rule that fails gives the message.
class RuleList {
 public:
  explicit RuleList(const MyAccountValidation& v) : v_(v) {}

  RuleList& check(bool fails, const char* message) {
    if (!message_ && fails) message_ = message;
    return *this;
  }
  // "empty / not length min..max": the first message for an absent or empty value, the second
  // for any other value out of range.
  RuleList& required(const json::Value& text, long long minLength, long long maxLength,
                     const char* emptyMessage, const char* lengthMessage) {
    check(isEmpty(text), emptyMessage);
    return check(!v_.validateEntry(text, maxLength, minLength), lengthMessage);
  }
  RuleList& length(const json::Value& text, long long minLength, long long maxLength,
                   const char* message) {
    return check(!v_.validateEntry(text, maxLength, minLength), message);
  }
  std::optional<std::string> result() const {
    if (!message_) return std::nullopt;
    return std::string(message_);
  }

 private:
  const MyAccountValidation& v_;
  const char* message_ = nullptr;
};

}  // namespace

MyAccountValidation& MyAccountValidation::sharedMyAccountValidation() {
  return platform::shared<MyAccountValidation>();
}

// ---- predicates ----

bool MyAccountValidation::validateEntry(const json::Value& text, long long maxLength,
                                        long long minLength) const {
  if (isAbsent(text)) return false;
  const long long length = lengthOf(text);
  return minLength <= length && length <= maxLength;
}

bool MyAccountValidation::isValidEmailAddress(const json::Value& text) const {
  return !isAbsent(text) && Components::sharedInstance().validateEmail(text.text());
}

bool MyAccountValidation::isNameContainsSpecialChar(const json::Value& text) const {
  return hasCharacterOutside(text, [](char32_t c) {
    return isAsciiLetter(c) || isAsciiDigit(c) || isAsciiBlank(c) || c == U'\'' || c == U'-' ||
           c == U'.';
  });
}

bool MyAccountValidation::isStringContainsDigit(const json::Value& text) const {
  return Components::sharedInstance().isStringContainsDigit(text);
}

bool MyAccountValidation::isDigitContainsString(const json::Value& text) const {
  return Components::sharedInstance().isDigitContainsString(text);
}

bool MyAccountValidation::isStringContainsSpecialChar(const json::Value& text) const {
  return hasCharacterOutside(text, [](char32_t c) { return isAsciiLetter(c) || isAsciiBlank(c); });
}

bool MyAccountValidation::isAddressContainsSpecialChar(const json::Value& text) const {
  return hasCharacterOutside(text, [](char32_t c) {
    return isAsciiLetter(c) || isAsciiDigit(c) || isAsciiBlank(c) || c == U'#';
  });
}

bool MyAccountValidation::isStringContainsOnlyAlphabetsAndNumbers(const json::Value& text) const {
  return hasCharacterOutside(text, [](char32_t c) { return isAsciiLetter(c) || isAsciiDigit(c); });
}

bool MyAccountValidation::isStringContainsBalnkSpace(const json::Value& text) const {
  if (isAbsent(text)) {
    sendAlertMessage("Exception: String is nil.");
    return true;
  }
  return text.text().find(' ') == std::string_view::npos;
}

bool MyAccountValidation::validateCardEntry(const json::Value& number,
                                            const json::Value& lengths) const {
  if (isAbsent(number) || isAbsent(lengths)) return false;
  const long long length = lengthOf(number);
  std::string_view rest = lengths.text();
  for (;;) {
    const std::size_t comma = rest.find(',');
    if (json::Value(rest.substr(0, comma)).intValue() == length) return true;
    if (comma == std::string_view::npos) return false;
    rest.remove_prefix(comma + 1);
  }
}

bool MyAccountValidation::validateDate(const json::Value& text) const {
  // The parse itself refuses days the calendar does not have (February 29 outside leap years,
  // April 31, ...), which is the whole of the date rule.
  return !isAbsent(text) && parseFormDate(text.text()).has_value();
}

bool MyAccountValidation::isBirthDateEligible(const json::Value& text,
                                              Clock::time_point now) const {
  const auto day = isAbsent(text) ? std::nullopt : parseFormDate(text.text());
  const long long days = day ? wholeDaysSince(*day, now) : 0;
  return days / 365 > 13;
}

bool MyAccountValidation::cardNumberFitsType(const UserProfileDetails& form) const {
  const json::Value cardType = form.cardType();
  const json::Value number = form.cardNumber();
  for (const json::Value& entry : form.creditCardTypes().items()) {
    const json::Value name = entry["ccName"];
    if (!name.isString() || !cardType.isString() || name.text() != cardType.text()) continue;
    if (!validateCardEntry(number, entry["maxLength"])) return false;
  }
  return true;
}

void MyAccountValidation::sendAlertMessage(const std::string& message) const {
  Components::sharedInstance().showAlertWithMessage(message);
}

// ---- form rule lists ----

std::optional<std::string> MyAccountValidation::validateMyProfileTab(const UserProfileDetails& f,
                                                                     Clock::time_point now) const {
  const json::Value firstName = f.firstName(), lastName = f.lastName();
  const json::Value password = f.password(), verifyPassword = f.verifyPassword();
  return RuleList(*this)
      .required(firstName, 1, 20, "First Name cannot be left empty. Please try again.",
                "First Name is required entry and may contain maximum 20 characters and minumum "
                "of 1 character")
      .check(isNameContainsSpecialChar(firstName), "Name may not contain special characters")
      .check(isStringContainsDigit(firstName), "Name may not contain numeric values")
      .required(lastName, 1, 30, "Last Name cannot be left empty. Please try again.",
                "Last Name is required entry and may contain maximum 30 characters and minumum "
                "of 1 character")
      .check(isNameContainsSpecialChar(lastName), "Name may not contain special characters")
      .check(isStringContainsDigit(lastName), "Name may not contain numeric values")
      .required(f.emailAddress(), 5, 75, "Email Address cannot be left empty. Please try again.",
                "Email Address is required entry and may contain maximum 40 characters")
      .check(!isValidEmailAddress(f.emailAddress()), "Please enter valid email address.")
      .required(password, 5, 16, "Password cannot be left empty. Please try again.",
                "Password is required entry and may contain maximum 16 characters and minumum of "
                "5 characters")
      .check(isStringContainsOnlyAlphabetsAndNumbers(password),
             "Password may not contain special characters")
      .required(verifyPassword, 5, 16, "Verify Password cannot be left empty. Please try again.",
                "Verify Password is required entry and may contain maximum 16 characters and "
                "minumum of 5 characters")
      .check(isStringContainsOnlyAlphabetsAndNumbers(verifyPassword),
             "Password may not contain special characters")
      .check(password.text() != verifyPassword.text(),
             "Please check the username and password you have entered")
      .check(!validateDate(f.birthDate()), "Please enter a valid birth date.")
      .check(!isBirthDateEligible(f.birthDate(), now),
             "You are currently not eligible to access this application as you are under age. "
             "Please enter a valid birth date")
      .result();
}

std::optional<std::string> MyAccountValidation::validateMyAddressTab(
    const UserProfileDetails& f) const {
  const json::Value address1 = f.address1(), address2 = f.address2(), city = f.city();
  const json::Value zipcode = f.zipcode(), phone = f.phoneNumber();
  return RuleList(*this)
      .check(isEmpty(address1), "Address line 1 cannot be left empty. Please try again")
      .length(address1, 3, 30,
              "Address Line 1 is required entry and may contain maximum 30 characters")
      .check(isAddressContainsSpecialChar(address1), "Address may not contain special characters")
      .check(lengthOf(address2) > 30,
             "Address Line 2 entry should not exceed more than 30 characters")
      .check(isAddressContainsSpecialChar(address2), "Address may not contain special characters")
      .check(isEmpty(city), "City cannot be left empty. Please try again")
      .length(city, 1, 25, "City is required entry and may contain maximum 25 characters")
      .check(isStringContainsSpecialChar(city), "Please enter a valid city name.")
      .check(isEmpty(f.state()), "State cannot be left empty. Please try again")
      .check(isEmpty(zipcode), "Zip code cannot be left empty. Please try again")
      .check(!validateEntry(zipcode, 5, 5) || isDigitContainsString(zipcode),
             "Please enter a valid zip code")
      .check(!isEmpty(phone) && !validateEntry(phone, 10, 10), "Please enter a valid phone number")
      .check(isDigitContainsString(phone), "Phone Number may only contain numeric values")
      .result();
}

std::optional<std::string> MyAccountValidation::validateMyWalletTab(
    const UserProfileDetails& f) const {
  RuleList rules(*this);
  if (!f.markedAsShippingAddress()) {
    const json::Value city = f.billingCity(), zipcode = f.billingZipcode();
    rules
        .length(f.billingAddress1(), 3, 30,
                "Address Line 1 is required entry and may contain maximum 30 characters")
        .check(lengthOf(f.billingAddress2()) > 30,
               "Address Line 2 entry should not exceed more than 30 characters")
        .length(city, 1, 25, "City is required entry and may contain maximum 25 characters")
        .check(isStringContainsSpecialChar(city), "Please enter a valid city name.")
        .check(isEmpty(f.billingState()), "State is required entry. Please select state.")
        .length(zipcode, 5, 6,
                "Zipcode is required entry and may contain maximum 6 and minimum 5 digits")
        .check(isDigitContainsString(zipcode), "Zipcode may contain only numeric values");
  }
  const json::Value phone = f.billingPhoneNumber();
  return rules
      .check(isDigitContainsString(f.cardNumber()), "Card Number may contain only numeric values")
      .check(!cardNumberFitsType(f), "Please enter a valid credit card number.")
      .length(phone, 10, 10, "Please enter a valid phone number")
      .check(isDigitContainsString(phone), "Phone Number may only contain numeric values")
      .result();
}

std::optional<std::string> MyAccountValidation::validateMyProfile(const UserProfileDetails& f,
                                                                  Clock::time_point now) const {
  const json::Value firstName = f.firstName(), lastName = f.lastName(), email = f.emailAddress();
  const json::Value password = f.password(), verifyPassword = f.verifyPassword();
  return RuleList(*this)
      .check(isEmpty(firstName), "First Name cannot be left empty. Please try again")
      .length(firstName, 1, 20,
              "First Name is required entry and may contain maximum 20 characters and minumum of "
              "1 characters")
      .check(isNameContainsSpecialChar(firstName), "First Name may not contain special characters")
      .check(isStringContainsDigit(firstName), "First Name may not contain numeric values")
      .check(isEmpty(lastName), "Last name cannot be left empty. Please try again.")
      .length(lastName, 1, 30,
              "Last Name is required entry and may contain maximum 30 characters and minumum of 1 "
              "character")
      .check(isNameContainsSpecialChar(lastName), "Last Name may not contain special characters")
      .check(isStringContainsDigit(lastName), "Last Name may not contain numeric values")
      .check(isEmpty(email), "Email address cannot be left empty. Please try again.")
      .check(lengthOf(email) > 75,
             "Email Address is required entry and may contain maximum 75 characters")
      .check(!isValidEmailAddress(email), "Please enter valid email address")
      .required(password, 5, 16, "Password cannot be left empty. Please try again.",
                "Password is required entry and may contain maximum 16 characters and minumum of "
                "5 characters")
      .check(isStringContainsOnlyAlphabetsAndNumbers(password),
             "Password may not contain special characters")
      .required(verifyPassword, 5, 16, "Verify Password cannot be left empty. Please try again.",
                "Verify Password is required entry and may contain maximum 16 characters and "
                "minumum of 5 characters")
      .check(isStringContainsOnlyAlphabetsAndNumbers(verifyPassword),
             "Password may not contain special characters")
      .check(password.text() != verifyPassword.text(),
             "Please check the username and the password you have entered.")
      .required(f.address1(), 3, 30, "Address Line 1 cannot be left empty. Please try again.",
                "Address Line 1 is required entry and may contain maximum 30 characters")
      .check(lengthOf(f.address2()) > 30, "Address Line 2 entry may contain maximum 30 characters")
      .required(f.zipcode(), 5, 5, "Zip Code cannot be left empty. Please try again.",
                "Please enter a valid zip code.")
      .check(!validateDate(f.birthDate()), "Please enter a valid birth date.")
      .check(!isBirthDateEligible(f.birthDate(), now),
             "You are currently not eligible to access this application as you are under age. "
             "Please enter a valid birth date.")
      .result();
}

std::optional<std::string> MyAccountValidation::validateMyWallet(
    UserProfileDetails& f, const json::Value& maskedNumber, const json::Value& editedCard) const {
  const json::Value firstName = f.billingFirstName(), lastName = f.billingLastName();
  const json::Value address1 = f.billingAddress1(), address2 = f.billingAddress2();
  const json::Value city = f.billingCity(), zipcode = f.billingZipcode();
  const json::Value phone = f.billingPhoneNumber();
  RuleList rules(*this);
  rules
      .required(firstName, 1, 20, "First Name cannot be empty. Please try again",
                "First Name is required entry and may contain maximum 20 characters and minumum "
                "of 1 character")
      .check(isNameContainsSpecialChar(firstName), "Name may not contain special characters")
      .check(isStringContainsDigit(firstName), "Name may not contain numeric values")
      .required(lastName, 1, 30, "Last Name cannot be empty. Please try again",
                "Last Name is required entry and may contain maximum 30 characters and minumum "
                "of 1 character")
      .check(isNameContainsSpecialChar(lastName), "Name may not contain special characters")
      .check(isStringContainsDigit(lastName), "Name may not contain numeric values")
      .required(address1, 3, 30, "Address Line 1 cannot be empty. Please try again",
                "Address Line 1 is required entry and may contain maximum 30 characters")
      .check(isAddressContainsSpecialChar(address1), "Address may not contain special characters")
      .check(lengthOf(address2) > 30, "Address Line 2 entry may contain maximum 30 characters")
      .check(isAddressContainsSpecialChar(address2), "Address may not contain special characters")
      .check(isEmpty(city), "City cannot be empty. Please try again")
      .length(city, 1, 25, "Please enter a valid city name")
      .check(isStringContainsSpecialChar(city), "Please enter a valid city name.")
      .check(isEmpty(f.billingState()), "State cannot be empty. Please try again")
      .required(zipcode, 5, 5, "Zip Code cannot be empty. Please try again",
                "Please enter a valid zip code.")
      .check(isDigitContainsString(zipcode), "Zipcode may contain only numeric values")
      .required(phone, 10, 10, "Phone Number cannot be left empty. Please try again",
                "Please enter valid phone number in the format xxx-xxx-xxxx.")
      .check(isDigitContainsString(phone), "Phone Number may contain only numeric values")
      .check(!cardNumberFitsType(f), "Please enter a valid credit card number.");
  if (auto message = rules.result()) return message;

  // A masked number the shopper did not retype stands for the card's real number.
  const json::Value shown = f.cardNumber();
  if (!isAbsent(shown) && !isAbsent(maskedNumber) && shown.text() == maskedNumber.text() &&
      !editedCard.empty()) {
    f.setCardNumber(json::Value(editedCard["cardNumber"].describe()));
  }
  const json::Value email = f.billingEmailAddress();
  return RuleList(*this)
      .check(isDigitContainsString(f.cardNumber()), "Card Number may contain only numeric values")
      .check(lengthOf(email) > 75,
             "Email Address is required entry and may contain maximum 75 characters")
      .check(!isValidEmailAddress(email), "Please enter valid email address")
      .result();
}

std::optional<std::string> MyAccountValidation::validateMyAddressBook(
    const UserProfileDetails& f) const {
  const json::Value firstName = f.firstName(), lastName = f.lastName();
  const json::Value address1 = f.address1(), address2 = f.address2(), city = f.city();
  const json::Value state = f.state(), zipcode = f.zipcode(), phone = f.phoneNumber();
  return RuleList(*this)
      .required(firstName, 1, 20, "First Name cannot be left empty. Please try again",
                "First Name is required entry and may contain maximum 20 characters and minumum "
                "of 1 character")
      .check(isNameContainsSpecialChar(firstName), "First Name may not contain special characters")
      .check(isStringContainsDigit(firstName), "First Name may not contain numeric values")
      .required(lastName, 1, 30, "Last Name cannot be left empty. Please try again",
                "Last Name is required entry and may contain maximum 30 characters and minumum "
                "of 1 character")
      .check(isNameContainsSpecialChar(lastName), "Last Name may not contain special characters")
      .check(isStringContainsDigit(lastName), "Last Name may not contain numeric values")
      .required(address1, 3, 30, "Address Line 1 cannot be left empty. Please try again.",
                "Address Line 1 is required entry and may contain maximum 30 characters")
      .check(isAddressContainsSpecialChar(address1), "Address may not contain special characters")
      .check(lengthOf(address2) > 30, "Address Line 2 entry may contain maximum 30 characters")
      .check(isAddressContainsSpecialChar(address2), "Address may not contain special characters")
      .required(city, 1, 25, "City cannot be left empty. Please try again",
                "City is required entry and may contain maximum 25 characters")
      .check(isStringContainsSpecialChar(city), "Please enter a valid city name.")
      .check(state.isString() && state.text().empty(),
             "State cannot be left empty. Please try again")
      .check(!validateEntry(zipcode, 5, 5) || isDigitContainsString(zipcode),
             "Please enter a valid zip code")
      .check(!isEmpty(phone) && !validateEntry(phone, 10, 10), "Please enter a valid phone number.")
      .check(isDigitContainsString(phone), "Phone Number may only contain numeric values")
      .result();
}

}  // namespace kelda::account
