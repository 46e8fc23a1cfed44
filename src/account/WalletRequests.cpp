#include "account/WalletRequests.hpp"

#include "gateway/AccountAnswer.hpp"
#include "gateway/Components.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "gateway/Wire.hpp"

namespace kelda::account {
namespace {

using gateway::AccountAnswer;
using gateway::UserProfileDetails;

AccountOutcome judgeWalletAnswer(const json::Value& answer) {
  auto& profile = UserProfileDetails::sharedUserProfileObject();
  const json::Value status = AccountAnswer::status(answer);
  if (!status.isObject()) return AccountOutcome::Failed;
  profile.setStatusDictionary(status);
  if (!AccountAnswer::isAuthenticated(answer)) {
    if (auto message = AccountAnswer::errorToShow(answer)) {
      gateway::Components::sharedInstance().showAlertWithMessage(*message);
    }
    return AccountOutcome::Refused;
  }
  profile.setProfileDictionary(answer["profile"][0]);
  profile.setShippingAddressArray(answer["shipping"]);
  profile.setDefaultCreditCardDictionary(answer["defaultCreditCard"][0]);
  profile.setDefaultCreditCardArray(answer["creditCard"]);
  profile.setDefaultShippingDictionary(answer["defaultShipping"][0]);
  return AccountOutcome::Accepted;
}

}  // namespace

AccountOutcome WalletRequests::updateEditMyWalletWithString(const std::string& body) {
  AccountOutcome outcome = AccountOutcome::Failed;
  gateway::guarded(
      "-[WalletRequests updateEditMyWalletWithString:]",
      [&] {
        if (!gateway::TarnServerAPIs::sharedInstance().internetConnectionAvailable()) {
          outcome = AccountOutcome::NotSent;
          return;
        }
        UserProfileDetails::sharedUserProfileObject().setStatusDictionary({});
        outcome = judgeWalletAnswer(gateway::requestWithBody("updateEditMyWalletWithString", body));
      },
      "Update Edit Wallet Exception !");
  return outcome;
}

}  // namespace kelda::account
