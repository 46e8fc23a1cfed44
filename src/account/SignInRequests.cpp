#include "account/SignInRequests.hpp"

#include <string_view>

#include "gateway/AccountAnswer.hpp"
#include "gateway/Components.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/GlobalFlags.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "gateway/Wire.hpp"
#include "platform/RunLoop.hpp"

namespace kelda::account {
namespace {

using gateway::AccountAnswer;
using gateway::TarnServerAPIs;

// Stores an accepted answer's sections in their fixed order; the registration tag starts
// right after the profile, so that it reads the new e-mail address.
void fillProfile(const json::Value& answer) {
  auto& profile = gateway::UserProfileDetails::sharedUserProfileObject();
  profile.setProfileDictionary(answer["profile"][0]);
  platform::detachThread([] { TarnServerAPIs::sharedInstance().registrationCoremetrics(); });
  profile.setShippingAddressArray(answer["shipping"]);
  profile.setDefaultCreditCardDictionary(answer["defaultCreditCard"][0]);
  profile.setDefaultCreditCardArray(answer["creditCard"]);
  profile.setStatusDictionary(AccountAnswer::status(answer));
  profile.setDefaultShippingDictionary(answer["defaultShipping"][0]);
}

// Sends the sign-in and judges the answer.
SignInOutcome signIn(std::string_view operation, const std::string& userName,
                     const std::string& password) {
  if (!TarnServerAPIs::sharedInstance().internetConnectionAvailable()) {
    return SignInOutcome::NotSent;
  }
  const json::Value answer = gateway::request(operation, {userName, password});
  auto& state = gateway::TarnObjects::sharedInstance();
  if (AccountAnswer::isAuthenticated(answer)) {
    fillProfile(answer);
    gateway::GlobalFlags::shared().loginSuccessful = true;
    state.setSignInResultString("YES");
    return SignInOutcome::Accepted;
  }
  state.setSignInResultString("NO");
  if (AccountAnswer::status(answer).isAbsent()) return SignInOutcome::Failed;
  AccountAnswer::showErrorIfAny(answer);
  return SignInOutcome::Refused;
}

// The forgotten-password answer: data[0] judged as confirmed or refused.
AccountOutcome judgeForgotPassword(const json::Value& answer) {
  auto& components = gateway::Components::sharedInstance();
  const json::Value entry = answer["data"][0];
  if (!entry.isObject()) {
    components.showAlertWithMessage(kUnexpectedErrorMessage);
    return AccountOutcome::Failed;
  }
  auto& state = gateway::TarnObjects::sharedInstance();
  if (entry["success"].intValue() == 1) {
    state.setSignInResultString("YES");
    return AccountOutcome::Accepted;
  }
  state.setSignInResultString("NO");
  // Only an error that is exactly the empty text goes without the message.
  const json::Value error = entry["error"];
  if (!(error.isString() && error.text().empty())) {
    components.showAlertWithMessage(SignInRequests::kNotFoundMessage);
  }
  return AccountOutcome::Refused;
}

}  // namespace

SignInOutcome SignInRequests::sign(const std::string& userName, const std::string& password) {
  SignInOutcome outcome = SignInOutcome::Failed;
  gateway::guarded("-[SignInRequests sign:password:]",
                   [&] { outcome = signIn("sign", userName, password); });
  return outcome;
}

SignInOutcome SignInRequests::sign1(const std::string& userName, const std::string& password) {
  SignInOutcome outcome = SignInOutcome::Failed;
  gateway::guarded("-[SignInRequests sign1:password:]", [&] {
    outcome = signIn("sign1", userName, password);
    if (outcome == SignInOutcome::Refused || outcome == SignInOutcome::Failed) {
      gateway::GlobalFlags::shared().loginSuccessful = false;
    }
  });
  return outcome;
}

AccountOutcome SignInRequests::forgotPassword(const std::string& emailAddress) {
  AccountOutcome outcome = AccountOutcome::Failed;
  gateway::guarded("-[SignInRequests forgotPassword:]", [&] {
    if (!TarnServerAPIs::sharedInstance().internetConnectionAvailable()) {
      outcome = AccountOutcome::NotSent;
      return;
    }
    outcome = judgeForgotPassword(gateway::request("forgotPassword", {emailAddress}));
  });
  return outcome;
}

}  // namespace kelda::account
