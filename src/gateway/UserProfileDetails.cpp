#include "gateway/UserProfileDetails.hpp"

#include <filesystem>

#include "gateway/GlobalFlags.hpp"
#include "gateway/ResourceTables.hpp"
#include "gateway/StoredLogin.hpp"
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
  std::lock_guard lock(mutex_);
  profileDictionary_ = json::Value::object();
  shippingAddressArray_ = json::Value::array();
  defaultCreditCardDictionary_ = json::Value::object();
  statusDictionary_ = json::Value::object();
  defaultShippingDictionary_ = json::Value::object();
}

}  // namespace kelda::gateway
