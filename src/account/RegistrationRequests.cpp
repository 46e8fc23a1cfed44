#include "account/RegistrationRequests.hpp"

#include "gateway/AccountAnswer.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "gateway/Wire.hpp"
#include "platform/RunLoop.hpp"

namespace kelda::account {
namespace {

using gateway::AccountAnswer;
using gateway::TarnObjects;
using gateway::TarnServerAPIs;
using gateway::UserProfileDetails;

UserProfileDetails& profile() {
  return UserProfileDetails::sharedUserProfileObject();
}

bool isEmpty(const json::Value& value) {
  return value.isAbsent() || value.isNull() || value.text().empty();
}

// An optional field: an absent value becomes the empty text in the form before it is sent.
std::string optionalField(const json::Value& value,
                          void (UserProfileDetails::*setter)(json::Value)) {
  if (isEmpty(value)) (profile().*setter)(json::Value(""));
  return std::string(value.text());
}

// "1" when the previous answer's verdict on that half of the form was "1", else "0".
std::string verdict(const char* key) {
  const json::Value flag = TarnObjects::sharedInstance().validateFlagDict()[key];
  return flag.isString() && flag.text() == "1" ? "1" : "0";
}

std::string stateCode(const json::Value& stateName) {
  if (isEmpty(stateName)) return "";
  return TarnServerAPIs::sharedInstance().getStateCodeForState(stateName).str();
}

void clearSections() {
  auto& p = profile();
  p.setStatusDictionary({});
  p.setProfileDictionary({});
  p.setShippingAddressArray({});
  p.setDefaultShippingDictionary({});
}

RegistrationResult judge(const json::Value& answer) {
  const json::Value status = AccountAnswer::status(answer);
  if (!status.isObject()) return {AccountOutcome::Failed, ""};
  auto& p = profile();
  p.setStatusDictionary(status);
  TarnObjects::sharedInstance().setValidateFlagDict(answer["validateFlag"]);
  if (!AccountAnswer::isAuthenticated(answer)) {
    return {AccountOutcome::Refused, status["error"].str()};
  }
  p.setProfileDictionary(answer["profile"][0]);
  platform::detachThread([] { TarnServerAPIs::sharedInstance().registrationCoremetrics(); });
  p.setShippingAddressArray(answer["shipping"]);
  p.setDefaultShippingDictionary(answer["defaultShipping"][0]);
  return {AccountOutcome::Accepted, "YES"};
}

}  // namespace

std::string RegistrationRequests::registrationBody() {
  auto& p = profile();
  const json::Value gender = p.gender();
  const bool male = gender.isAbsent() || gender.text() == "Male";
  const std::string address2 = optionalField(p.address2(), &UserProfileDetails::setAddress2);
  const std::string phone = optionalField(p.phoneNumber(), &UserProfileDetails::setPhoneNumber);
  return gateway::formatBody(
      gateway::endpointFor("createProfile").bodyFormat,
      {p.firstName().text(), p.lastName().text(), p.emailAddress().text(), p.password().text(),
       p.verifyPassword().text(), p.birthDate().text(), male ? "M" : "F", p.address1().text(),
       address2, p.city().text(), stateCode(p.state()), p.zipcode().text(), phone, "Y",
       verdict("profileFlag"), verdict("shippingContactFlag"),
       p.markedSubscribeKeldas() ? "1" : "0"});
}

RegistrationResult RegistrationRequests::createProfile() {
  RegistrationResult result;
  gateway::guarded(
      "-[RegistrationRequests createProfile]",
      [&] {
        if (!TarnServerAPIs::sharedInstance().internetConnectionAvailable()) {
          result.outcome = AccountOutcome::NotSent;
          return;
        }
        const std::string body = registrationBody();
        clearSections();
        result = judge(gateway::requestWithBody("createProfile", body));
      },
      "Create Profile Exception !");
  return result;
}

}  // namespace kelda::account
