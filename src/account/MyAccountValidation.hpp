// MyAccountValidation: the one set of field rules every form of the client uses before it sends
// a request: the predicates (lengths, e-mail, names, addresses, cities, digits, card numbers,
// dates, age) and, for each account form, its ordered rule list with limits and messages.
// A rule list reads the form from the profile record (UserProfileDetails), into which the
// screens copy what the shopper types, and answers the message of the first rule that fails.
//
// Characters are judged by code point (only ASCII letters, digits and blanks count as such);
// lengths count UTF-16 code units. An absent text is judged as each predicate states.
// One per Context (`sharedMyAccountValidation()`); stateless apart from the alert, so any
// thread may use it.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "json/Value.hpp"

namespace kelda::gateway {
class UserProfileDetails;
}

namespace kelda::account {

using Clock = std::chrono::system_clock;

class MyAccountValidation {
 public:
  static MyAccountValidation& sharedMyAccountValidation();

  // ---- predicates ----
  // False for an absent text; otherwise min <= length <= max.
  bool validateEntry(const json::Value& text, long long maxLength, long long minLength) const;
  // False for an absent text; otherwise the e-mail expression of Components::validateEmail.
  bool isValidEmailAddress(const json::Value& text) const;
  // True (bad) when a character is not a letter, digit, blank, "'", "-" or ".".
  bool isNameContainsSpecialChar(const json::Value& text) const;
  // True when a character is a digit, and for an absent or empty text.
  bool isStringContainsDigit(const json::Value& text) const;
  // True (bad) when a character is not a digit; false for an absent text.
  bool isDigitContainsString(const json::Value& text) const;
  // True (bad) when a character is neither a letter nor a blank (digits are special here).
  bool isStringContainsSpecialChar(const json::Value& text) const;
  // True (bad) when a character is not a letter, digit, blank or "#".
  bool isAddressContainsSpecialChar(const json::Value& text) const;
  // True (bad) when a character is neither a letter nor a digit (the name reads the other way).
  bool isStringContainsOnlyAlphabetsAndNumbers(const json::Value& text) const;
  // True (good) when the text holds no " "; false when it does. An absent text shows the alert
  // "Exception: String is nil." and answers true.
  bool isStringContainsBalnkSpace(const json::Value& text) const;
  // False when either is absent; otherwise true when the number's length equals one of the
  // ","-separated lengths (each read by its leading digits).
  bool validateCardEntry(const json::Value& number, const json::Value& lengths) const;
  // True when `text` is a day of the Gregorian calendar in the form "MMM d, yyyy".
  bool validateDate(const json::Value& text) const;
  // True when the whole days from `text` to `now`, divided by 365, exceed 13 (14 such years).
  bool isBirthDateEligible(const json::Value& text, Clock::time_point now = Clock::now()) const;
  // The card number length rule: for every card type named `cardType`, the number's length is
  // one of its "maxLength" values. True when no card type has that name.
  bool cardNumberFitsType(const gateway::UserProfileDetails& form) const;
  // Shows `message` in an alert with an empty title and "OK".
  void sendAlertMessage(const std::string& message) const;

  // ---- form rule lists: the first failing rule's message, nothing when every rule passes ----
  // Registration, profile step.
  std::optional<std::string> validateMyProfileTab(const gateway::UserProfileDetails& form,
                                                  Clock::time_point now = Clock::now()) const;
  // Registration, address step.
  std::optional<std::string> validateMyAddressTab(const gateway::UserProfileDetails& form) const;
  // Registration, card step; the billing address rules apply only when "use my shipping
  // address" (markedAsShippingAddress) is off.
  std::optional<std::string> validateMyWalletTab(const gateway::UserProfileDetails& form) const;
  // Profile edit.
  std::optional<std::string> validateMyProfile(const gateway::UserProfileDetails& form,
                                               Clock::time_point now = Clock::now()) const;
  // Card edit. When `cardNumber` still equals `maskedNumber` (the number the screen showed,
  // not retyped) and `editedCard` has data, cardNumber is replaced by the card's real number
  // before the digit rule, so the request sends it.
  std::optional<std::string> validateMyWallet(gateway::UserProfileDetails& form,
                                              const json::Value& maskedNumber,
                                              const json::Value& editedCard) const;
  // Address book entry.
  std::optional<std::string> validateMyAddressBook(const gateway::UserProfileDetails& form) const;
};

}  // namespace kelda::account
