#include "account/AccountEdit.hpp"

#include "gateway/AccountAnswer.hpp"
#include "gateway/Components.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/StoredLogin.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "gateway/Wire.hpp"

namespace kelda::account {
namespace {

using gateway::AccountAnswer;
using gateway::UserProfileDetails;

constexpr const char* kSections[] = {"profile", "shipping", "defaultShipping", "creditCard",
                                     "defaultCreditCard"};

// A confirmed answer is stored only whole: every section must be a list.
bool hasEverySection(const json::Value& answer) {
  for (const char* section : kSections) {
    if (!answer[section].isArray()) return false;
  }
  return true;
}

AccountOutcome judge(const json::Value& answer) {
  const json::Value status = AccountAnswer::status(answer);
  if (!status.isObject()) return AccountOutcome::Failed;
  if (AccountAnswer::isAuthenticated(answer) && !hasEverySection(answer)) {
    return AccountOutcome::Failed;
  }
  UserProfileDetails::sharedUserProfileObject().setStatusDictionary(status);
  if (!AccountAnswer::isAuthenticated(answer)) {
    if (auto message = AccountAnswer::errorToShow(answer)) {
      gateway::Components::sharedInstance().showAlertWithMessage(*message);
    }
    return AccountOutcome::Refused;
  }
  storeAccountSections(answer);
  return AccountOutcome::Accepted;
}

}  // namespace

std::optional<LoginPair> storedLoginPair() {
  const json::Value login = gateway::readStoredLogin();
  if (login.size() != 2 || !login["loginUserName"].isString() ||
      !login["loginPassword"].isString()) {
    return std::nullopt;
  }
  return LoginPair{login["loginUserName"].str(), login["loginPassword"].str()};
}

AccountOutcome sendAccountEdit(const AccountEditRequest& request, const std::string& body) {
  AccountOutcome outcome = AccountOutcome::Failed;
  gateway::guarded(
      request.logName,
      [&] {
        if (!gateway::TarnServerAPIs::sharedInstance().internetConnectionAvailable()) {
          outcome = AccountOutcome::NotSent;
          return;
        }
        UserProfileDetails::sharedUserProfileObject().setStatusDictionary({});
        outcome = judge(gateway::requestWithBody(request.operation, body));
      },
      request.exceptionTitle);
  return outcome;
}

void storeAccountSections(const json::Value& answer) {
  auto& profile = UserProfileDetails::sharedUserProfileObject();
  profile.setProfileDictionary(answer["profile"][0]);
  profile.setShippingAddressArray(answer["shipping"]);
  profile.setDefaultCreditCardDictionary(answer["defaultCreditCard"][0]);
  profile.setDefaultCreditCardArray(answer["creditCard"]);
  profile.setDefaultShippingDictionary(answer["defaultShipping"][0]);
}

void tellIfFailed(AccountOutcome outcome) {
  if (outcome == AccountOutcome::Failed) {
    gateway::Components::sharedInstance().showAlertWithMessage(kUnexpectedErrorMessage);
  }
}

bool isBlank(const json::Value& value) {
  return value.isAbsent() || value.isNull() || value.text().empty();
}

}  // namespace kelda::account
