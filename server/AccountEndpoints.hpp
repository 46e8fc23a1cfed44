// AccountEndpoints: `signin`, `register`, `forgot_password` and the account edits
// (`edit_profile`, `edit_wallet`, `edit_primary_wallet`, `delete_wallet`, `edit_shipping`,
// `edit_primary_shipping`, `delete_shipping`). `client` is the caller's network address, for
// the sign-in throttle. Every change touches only the account whose log-in the request
// carries. Every answer is the account envelope: "status"
// [{"success", "error"}] plus the account's "profile", "shipping", "defaultShipping",
// "creditCard" and "defaultCreditCard" arrays. "success" is "AUTHENTICATED" when the request
// was accepted and "" when it was refused, with the reason in "error"; a refused request of a
// known account still carries the account as it stands. Any request thread.
#pragma once

#include <optional>
#include <string>

#include "Database.hpp"
#include "FormFields.hpp"
#include "Json.hpp"
#include "ServerState.hpp"

namespace kelda::server {

inline constexpr const char* kAuthenticated = "AUTHENTICATED";
inline constexpr const char* kTooManyAttempts =
    "Too many unsuccessful sign-in attempts. Please wait a few minutes and try again.";

// The outcome of a password check: the account when the e-mail address and password match;
// `throttled` when the check was refused without being made (too many recent failures).
struct Authentication {
  std::optional<long long> account;
  bool throttled = false;
  explicit operator bool() const { return account.has_value(); }
  long long operator*() const { return *account; }
  // The refusal text: the throttle's when it refused, otherwise the caller's own.
  std::string refusal(const char* usual) const { return throttled ? kTooManyAttempts : usual; }
};

class AccountEndpoints {
 public:
  explicit AccountEndpoints(ServerState& state) : state_(state) {}

  json::Value signIn(const FormFields& form, const std::string& client);
  json::Value registration(const FormFields& form);
  json::Value forgotPassword(const FormFields& form);
  json::Value editProfile(const FormFields& form, const std::string& client);
  json::Value editWallet(const FormFields& form, const std::string& client);
  json::Value markPrimaryCard(const FormFields& form, const std::string& client);
  json::Value deleteCard(const FormFields& form, const std::string& client);
  json::Value editShipping(const FormFields& form, const std::string& client);
  json::Value markPrimaryShipping(const FormFields& form, const std::string& client);
  json::Value deleteShipping(const FormFields& form, const std::string& client);

 private:
  // The account of "loginUserName"/"loginPassword", if they match.
  Authentication authenticate(Database& db, const FormFields& form, const std::string& client);
  ServerState& state_;
};

// The account for an e-mail address and password, if they match and the sign-in guard lets
// the check be made; failures and successes are reported to the guard. Empty credentials are
// no attempt: refused, and not counted.
Authentication authenticateAccount(Database& db, ServerState& state, const std::string& email,
                                   const std::string& password, const std::string& client);
// The account envelope; the account sections are empty arrays when there is no account.
json::Value accountAnswer(Database& db, std::optional<long long> account,
                          const std::string& success, const std::string& error);

}  // namespace kelda::server
