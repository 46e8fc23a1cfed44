// SignInRequests: the sign-in requests to the middleware server: `sign` (the sign-in screen)
// and `sign1` (the silent sign-in at launch). Both post the user name and password to
// "signin"; an accepted answer fills the profile and marks the shopper signed in.
//
// Synchronous, on the caller's thread. Only this request's accepted answer counts: with no
// connection or no answer nothing is stored and the result says so.
#pragma once

#include <string>

namespace kelda::account {

enum class SignInOutcome {
  NotSent,   // no connection: nothing was asked
  Failed,    // no answer, or one that is not an account answer
  Refused,   // the server's answer is not AUTHENTICATED (its error text was shown)
  Accepted,  // AUTHENTICATED: profile filled, signed in
};

class SignInRequests {
 public:
  static SignInOutcome sign(const std::string& userName, const std::string& password);
  // As sign; a refusal or a failure also clears loginSuccessful.
  static SignInOutcome sign1(const std::string& userName, const std::string& password);
};

}  // namespace kelda::account
