// CheckoutRules: the checks of the checkout pages: which bag lines cannot ship to the chosen
// state or with the chosen method, the security code's rule, and how a card number is shown.
// Stateless functions; any thread.
#pragma once

#include <string>

#include "json/Value.hpp"

namespace kelda::bag {

inline constexpr const char* kEmptySecurityCodeMessage =
    "Please enter security code, before proceeding checkout";
inline constexpr const char* kSecurityCodeLengthMessage =
    "Security code may contains maximum of 4 and minimum of 3 digits. Please enter valid code.";
inline constexpr const char* kSecurityCodeDigitsMessage =
    "Security code may contains numbers only. Please enter valid code.";

// [{"Title": ...}] of the records whose "ExcludedStatesCode" lists `state` (letter case
// ignored; an empty state matches nothing).
json::Value stateExcludedItems(const json::Value& records, const std::string& state);

// [{"Title": ...}] of the records whose "ShippingOptions" do not list `methodCode`.
json::Value methodExcludedItems(const json::Value& records, const std::string& methodCode);

// The message that refuses a security code, or "" when the code may be sent: 3 or 4 characters,
// every one a digit.
std::string securityCodeProblem(const std::string& code);

// The card number with everything before its last four characters shown as "************"; a
// number shorter than four characters is shown as the asterisks alone.
std::string maskedCardNumber(const std::string& number);

}  // namespace kelda::bag
