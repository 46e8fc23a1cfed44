// AccountEndpoints: `signin`, `register`, `forgot_password` and the account edits
// (`edit_profile`, `edit_wallet`, `edit_primary_wallet`, `delete_wallet`, `edit_shipping`,
// `edit_primary_shipping`, `delete_shipping`). Every answer is the account envelope: "status"
// [{"success", "error"}] plus the account's "profile", "shipping", "defaultShipping",
// "creditCard" and "defaultCreditCard" arrays. "success" is "AUTHENTICATED" when the request
// was accepted and "" when it was refused, with the reason in "error"; a refused request of a
// known account still carries the account as it stands. Any request thread.
#pragma once

#include <optional>

#include "Database.hpp"
#include "FormFields.hpp"
#include "Json.hpp"
#include "ServerState.hpp"

namespace kelda::server {

inline constexpr const char* kAuthenticated = "AUTHENTICATED";

class AccountEndpoints {
 public:
  explicit AccountEndpoints(ServerState& state) : state_(state) {}

  json::Value signIn(const FormFields& form);
  json::Value registration(const FormFields& form);
  json::Value forgotPassword(const FormFields& form);
  json::Value editProfile(const FormFields& form);
  json::Value editWallet(const FormFields& form);
  json::Value markPrimaryCard(const FormFields& form);
  json::Value deleteCard(const FormFields& form);
  json::Value editShipping(const FormFields& form);
  json::Value markPrimaryShipping(const FormFields& form);
  json::Value deleteShipping(const FormFields& form);

 private:
  // The account of "loginUserName"/"loginPassword", if they match.
  std::optional<long long> authenticate(Database& db, const FormFields& form);
  ServerState& state_;
};

// The account id for an e-mail address and password, if they match.
std::optional<long long> authenticateAccount(Database& db, PasswordHasher& hasher,
                                             const std::string& email, const std::string& password);
// The account envelope; the account sections are empty arrays when there is no account.
json::Value accountAnswer(Database& db, std::optional<long long> account,
                          const std::string& success, const std::string& error);

}  // namespace kelda::server
