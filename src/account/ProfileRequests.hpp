// ProfileRequests: the profile edit request ("edit_profile") of the account area, and its body.
// Follows the frame of AccountEdit: only a confirmed answer replaces the stored sections, and
// then the registration analytics tag is sent. Synchronous, on the caller's thread; the body
// builder reads the profile record and the stored log-in.
#pragma once

#include <string>

#include "account/AccountOutcome.hpp"
#include "json/Value.hpp"

namespace kelda::gateway {
class UserProfileDetails;
}

namespace kelda::account {

class ProfileRequests {
 public:
  // Sends `body` (the profile fields, already form-encoded). Accepted also starts the
  // registration tag on a worker of its own.
  static AccountOutcome updateEditMyProfileWithString(const std::string& body);

  // The "edit_profile" body: the edited fields of `form`, the account's id, city and state from
  // its profileDictionary, the stored user name as emailAddress (the edited address goes as
  // updatedEmailAddress), the switch as subscriptionFlag, and last the stored password, so
  // that the server can tell the shopper's current password from a new one.
  static std::string editProfileBody(const gateway::UserProfileDetails& form, bool subscribed);
  // "M" for "Male" or "male", "F" for "Female" or "female", any other text unchanged.
  static std::string genderCode(const json::Value& gender);
  // "Male" for "M", "Female" for "F", any other text unchanged.
  static std::string genderName(const json::Value& code);
};

}  // namespace kelda::account
