#include "account/ProfileRequests.hpp"

#include "account/AccountEdit.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "gateway/Wire.hpp"
#include "platform/RunLoop.hpp"

namespace kelda::account {
namespace {

constexpr AccountEditRequest kEditProfile{"updateEditMyProfileWithString",
                                          "-[TarnServerAPIs updateEditMyProfileWithString:]",
                                          "Update Edit Profile Exception !"};

}  // namespace

AccountOutcome ProfileRequests::updateEditMyProfileWithString(const std::string& body) {
  const AccountOutcome outcome = sendAccountEdit(kEditProfile, body);
  if (outcome == AccountOutcome::Accepted) {
    platform::detachThread(
        [] { gateway::TarnServerAPIs::sharedInstance().registrationCoremetrics(); });
  }
  return outcome;
}

std::string ProfileRequests::genderCode(const json::Value& gender) {
  const std::string text = gender.str();
  if (text == "Male" || text == "male") return "M";
  if (text == "Female" || text == "female") return "F";
  return text;
}

std::string ProfileRequests::genderName(const json::Value& code) {
  const std::string text = code.str();
  if (text == "M") return "Male";
  if (text == "F") return "Female";
  return text;
}

std::string ProfileRequests::editProfileBody(const gateway::UserProfileDetails& form,
                                             bool subscribed) {
  const auto login = storedLoginPair().value_or(LoginPair{});
  const json::Value profile = form.profileDictionary();
  return gateway::formatBody(
      gateway::endpointFor(kEditProfile.operation).bodyFormat,
      {profile["userId"].text(), form.firstName().text(), form.lastName().text(), login.userName,
       form.emailAddress().text(), form.password().text(), form.verifyPassword().text(),
       form.address1().text(), form.address2().text(), form.zipcode().text(),
       profile["city"].text(), profile["state"].text(), form.birthDate().text(),
       genderCode(form.gender()), subscribed ? "1" : "0", login.password});
}

}  // namespace kelda::account
