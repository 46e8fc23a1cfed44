#include "gateway/UserProfileDetails.hpp"

#include <filesystem>

#include "gateway/GlobalFlags.hpp"
#include "gateway/ResourceTables.hpp"
#include "gateway/StoredLogin.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "platform/Context.hpp"
#include "platform/Paths.hpp"
#include "platform/PropertyList.hpp"
#include "platform/RunLoop.hpp"

namespace kelda::gateway {
namespace {

bool sameText(const json::Value& a, const json::Value& b) {
  return a.isString() && b.isString() && a.text() == b.text();
}

// The first card type whose `key` equals `wanted`, as its `answerKey` text; "" otherwise.
std::string lookUpCardType(const json::Value& types, const char* key, const json::Value& wanted,
                           const char* answerKey) {
  for (const json::Value& entry : types.items()) {
    if (sameText(entry[key], wanted)) return entry[answerKey].str();
  }
  return "";
}

}  // namespace

UserProfileDetails& UserProfileDetails::sharedUserProfileObject() {
  return platform::shared<UserProfileDetails>();
}

json::Value UserProfileDetails::stateForCode(const json::Value& code) const {
  if (code.isAbsent() || code.isNull()) return json::Value("");
  if (!code.isString()) return {};
  return usStatesTable()[code.text()];
}

json::Value UserProfileDetails::codeForState(const json::Value& name) const {
  return stateCodeForName(name);
}

std::string UserProfileDetails::getCodeForCreditCard(const json::Value& name) const {
  return lookUpCardType(creditCardTypes(), "ccName", name, "ccCode");
}

std::string UserProfileDetails::getCardNameForCardCode(const json::Value& code) const {
  return lookUpCardType(creditCardTypes(), "ccCode", code, "ccName");
}

void UserProfileDetails::populateCreditCardTypes() {
  const std::filesystem::path documents = platform::documentsDirectory();
  if (documents.empty()) return;
  const std::filesystem::path file = documents / kCardTypesFile;
  std::error_code error;
  if (std::filesystem::exists(file, error)) {
    setCreditCardTypes(platform::readPropertyList(file)["data"]);
    return;
  }
  platform::performOnMainThread([] { TarnServerAPIs::sharedInstance().getCreditCardTypes(); },
                                true);
}

void UserProfileDetails::logOut() {
  GlobalFlags::shared().loginSuccessful = false;
  removeStoredLogin();
  // Nothing of this shopper's account may be seen by the next one: the promotion code and
  // order results go too. The bag and the card-type list stay.
  auto& state = TarnObjects::sharedInstance();
  for (auto setter :
       {&TarnObjects::setPromoCode, &TarnObjects::setOrderSummaryDictionary,
        &TarnObjects::setOrderConfirmationDictionary, &TarnObjects::setOrderConfirmationResult,
        &TarnObjects::setOrderFail, &TarnObjects::setSecurityCode}) {
    (state.*setter)({});
  }
  std::lock_guard lock(mutex_);
  const json::Value types = creditCardTypes_;
#define KELDA_PROFILE_CLEAR(name, Setter) name##_ = json::Value();
  KELDA_PROFILE_VALUE_FIELDS(KELDA_PROFILE_CLEAR)
#undef KELDA_PROFILE_CLEAR
  creditCardTypes_ = types;
  profileDictionary_ = json::Value::object();
  shippingAddressArray_ = json::Value::array();
  defaultCreditCardDictionary_ = json::Value::object();
  defaultCreditCardArray_ = json::Value::array();
  statusDictionary_ = json::Value::object();
  defaultShippingDictionary_ = json::Value::object();
}

}  // namespace kelda::gateway
