// The sign-in requests of TarnServerAPIs: `sign` (the sign-in screen) and `sign1` (the silent
// sign-in at launch). Both post the typed user name and password to "signin"; an accepted
// answer fills the profile and marks the shopper signed in.
#include <optional>
#include <string>
#include <string_view>

#include "gateway/AccountAnswer.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/GlobalFlags.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "gateway/Wire.hpp"
#include "platform/RunLoop.hpp"

namespace kelda::gateway {
namespace {

// Stores an accepted answer's sections in their fixed order; the registration tag starts
// right after the profile, so that it reads the new e-mail address.
void fillProfile(const json::Value& answer) {
  auto& profile = UserProfileDetails::sharedUserProfileObject();
  profile.setProfileDictionary(answer["profile"][0]);
  platform::detachThread([] { TarnServerAPIs::sharedInstance().registrationCoremetrics(); });
  profile.setShippingAddressArray(answer["shipping"]);
  profile.setDefaultCreditCardDictionary(answer["defaultCreditCard"][0]);
  profile.setDefaultCreditCardArray(answer["creditCard"]);
  profile.setStatusDictionary(AccountAnswer::status(answer));
  profile.setDefaultShippingDictionary(answer["defaultShipping"][0]);
}

// Sends the sign-in and judges the answer. Answers whether the server accepted it; nothing
// when no request was made (no connection).
std::optional<bool> signIn(std::string_view operation, const std::string& userName,
                           const std::string& password) {
  auto& api = TarnServerAPIs::sharedInstance();
  if (!api.internetConnectionAvailable()) return std::nullopt;
  const json::Value answer = request(operation, {userName, password});
  auto& state = TarnObjects::sharedInstance();
  if (AccountAnswer::isAuthenticated(answer)) {
    fillProfile(answer);
    GlobalFlags::shared().loginSuccessful = true;
    state.setSignInResultString("YES");
    return true;
  }
  state.setSignInResultString("NO");
  AccountAnswer::showErrorIfAny(answer);
  return false;
}

}  // namespace

void TarnServerAPIs::sign(const std::string& userName, const std::string& password) {
  guarded("-[TarnServerAPIs sign:password:]", [&] { signIn("sign", userName, password); });
}

void TarnServerAPIs::sign1(const std::string& userName, const std::string& password) {
  guarded("-[TarnServerAPIs sign1:password:]", [&] {
    if (signIn("sign1", userName, password) == false) GlobalFlags::shared().loginSuccessful = false;
  });
}

}  // namespace kelda::gateway
