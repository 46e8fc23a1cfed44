// RegistrationRequests: the registration request `createProfile` ("register"), which sends the
// registration form held in the profile record (UserProfileDetails) and stores the server's
// verdict. Synchronous, on the caller's thread.
#pragma once

#include <string>

#include "account/AccountOutcome.hpp"

namespace kelda::account {

struct RegistrationResult {
  AccountOutcome outcome = AccountOutcome::Failed;
  // Accepted: "YES". Refused: the server's error text (possibly empty).
  std::string result;
};

class RegistrationRequests {
 public:
  // Sends the 17 fields of the registration form. When sent, the status, profile, shipping and
  // default shipping sections are cleared first; an answer's status and "validateFlag" are then
  // stored (statusDictionary, validateFlagDict) and, when it is AUTHENTICATED, its profile,
  // shipping addresses and default shipping address too (and the registration tag is sent).
  // NotSent without a connection; Failed when there is no answer or it has no status.
  static RegistrationResult createProfile();
  // The form body createProfile sends, from the profile record and validateFlagDict.
  static std::string registrationBody();
};

}  // namespace kelda::account
