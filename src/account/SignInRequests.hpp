// SignInRequests: the sign-in requests to the middleware server: `sign` (the sign-in screen),
// `sign1` (the silent sign-in at launch), both posting the user name and password to "signin",
// and `forgotPassword` ("forgot_password"). An accepted sign-in fills the profile and marks the
// shopper signed in.
//
// Synchronous, on the caller's thread. Only this request's confirmed answer counts: with no
// connection or no answer nothing is stored and the outcome says so.
#pragma once

#include <string>

#include "account/AccountOutcome.hpp"

namespace kelda::account {

using SignInOutcome = AccountOutcome;

class SignInRequests {
 public:
  static constexpr const char* kNotFoundMessage =
      "The Email Address you entered were not found in our records. Please enter valid email "
      "address.";

  // Accepted: the profile sections hold the answer, loginSuccessful and signInResultString
  // "YES". Refused: signInResultString "NO" and the server's text shown when it is longer than
  // one character. Failed (no answer, or no "status"): signInResultString "NO", nothing shown.
  static SignInOutcome sign(const std::string& userName, const std::string& password);
  // As sign; a refusal or a failure also clears loginSuccessful.
  static SignInOutcome sign1(const std::string& userName, const std::string& password);
  // Asks the server to mail the password of `emailAddress`. Accepted when the answer's
  // data[0]."success" reads 1 (signInResultString "YES"). Refused otherwise
  // (signInResultString "NO"; kNotFoundMessage shown unless the answer's error is exactly the
  // empty text). Failed when there is no answer or no data[0] to read: the unexpected-error
  // message is shown and nothing is stored.
  static AccountOutcome forgotPassword(const std::string& emailAddress);
};

}  // namespace kelda::account
