// Components: the small helper every screen shares: the one-button alert, the writer of the
// stored log-in, and the field validators that screens outside the account forms use (store
// search, find in store, checkout, sign-in). One per Context (`Components::sharedInstance()`);
// stateless, so any thread may use it (alerts are presented on the main thread).
//
// The account forms' own rules live in account::MyAccountValidation, which shares the e-mail
// expression and the digit rules with this class, so each rule is written once.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "json/Value.hpp"

namespace kelda::gateway {

class Components {
 public:
  static Components& sharedInstance();

  // The shared alert: an empty title, the message and one button "OK".
  void showAlertWithMessage(const std::string& message);
  // Writes the stored log-in (login.plist) with `account`, the text "%@;%@" of user name and
  // password. False when the file could not be written.
  bool saveLoginAccount(const std::string& account);

  // ---- validators (never fail; an absent text is judged as stated) ----
  // The whole text matches "[A-Z0-9a-z._%+-]+@[A-Za-z0-9.-]+\.[A-Za-z]{2,4}".
  bool validateEmail(std::string_view text) const;
  // True when no character of `text` lies outside `inSet` (the empty text passes).
  bool validateStringInCharacterSet(std::string_view text,
                                    const std::function<bool(char32_t)>& inSet) const;
  // Unicode letters (with their marks) only; Unicode letters and digits only.
  bool validateAlpha(std::string_view text) const;
  bool validateAlphanumeric(std::string_view text) const;
  // True (bad) when some character is not a digit; false for an absent text.
  bool isDigitContainsString(const json::Value& text) const;
  // True when some character is a digit, and for an absent or empty text.
  bool isStringContainsDigit(const json::Value& text) const;
};

}  // namespace kelda::gateway
