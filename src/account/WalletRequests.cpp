#include "account/WalletRequests.hpp"

#include <string_view>

#include "account/AccountEdit.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "gateway/Wire.hpp"

namespace kelda::account {
namespace {

constexpr AccountEditRequest kEditWallet{"updateEditMyWalletWithString",
                                         "-[TarnServerAPIs updateEditMyWalletWithString:]",
                                         "Update Edit Wallet Exception !"};
constexpr AccountEditRequest kMarkPrimary{"markAsPrimaryBillingAddress",
                                          "-[TarnServerAPIs markAsPrimaryBillingAddress:]",
                                          "Mark Primary Shipping Address Exception !"};
constexpr AccountEditRequest kRemove{"removeBillingAddress",
                                     "-[TarnServerAPIs removeBillingAddress:]",
                                     "Remove Shipping Exception !"};

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string body(const AccountEditRequest& request,
                 std::initializer_list<std::string_view> values) {
  return gateway::formatBody(gateway::endpointFor(request.operation).bodyFormat, values);
}

}  // namespace

AccountOutcome WalletRequests::updateEditMyWalletWithString(const std::string& body) {
  return sendAccountEdit(kEditWallet, body);
}

AccountOutcome WalletRequests::markAsPrimaryBillingAddress(const json::Value& card,
                                                           const json::Value& defaultCard) {
  const auto login = storedLoginPair();
  if (!login) return AccountOutcome::NotSent;
  return sendAccountEdit(kMarkPrimary,
                         body(kMarkPrimary, {std::to_string(card["cardId"].intValue()),
                                             std::to_string(defaultCard["cardId"].intValue()),
                                             login->userName, login->password}));
}

AccountOutcome WalletRequests::removeBillingAddress(const json::Value& card) {
  const auto login = storedLoginPair();
  if (!login) return AccountOutcome::NotSent;
  return sendAccountEdit(kRemove,
                         body(kRemove, {login->userName, login->password, card["cardId"].text()}));
}

void WalletRequests::ensureCreditCardTypes() {
  auto& profile = gateway::UserProfileDetails::sharedUserProfileObject();
  if (profile.creditCardTypes().isAbsent()) {
    gateway::TarnServerAPIs::sharedInstance().getCreditCardTypes();
  } else if (!profile.creditCardTypes().empty()) {
    profile.populateCreditCardTypes();
  }
}

std::string WalletRequests::expiryForBody(const json::Value& typed, const json::Value& editedCard) {
  const json::Value own = editedCard["cardExpirationDate"];
  const std::string_view text = typed.text();
  const auto comma = text.rfind(',');
  if (!own.isString() || own.text() != text || comma == std::string_view::npos) {
    return std::string(text);
  }
  // The month is the first word before the comma, the year what follows it.
  const std::string_view before = trimmed(text.substr(0, comma));
  const std::string_view month = before.substr(0, before.find(' '));
  return std::string(month) + " 01, " + std::string(trimmed(text.substr(comma + 1)));
}

std::string WalletRequests::editWalletBody(const gateway::UserProfileDetails& form,
                                           const json::Value& editedCard) {
  const auto login = storedLoginPair().value_or(LoginPair{});
  const std::string expiry = expiryForBody(form.expirationDate(), editedCard);
  // An unknown or unchosen state goes out as the empty text, never as "(null)".
  const std::string state = form.codeForState(form.billingState()).str();
  return body(kEditWallet, {editedCard["cardId"].text(), form.getCodeForCreditCard(form.cardType()),
                            form.cardNumber().text(), expiry, editedCard["billingContactId"].text(),
                            form.billingFirstName().text(), form.billingLastName().text(),
                            form.billingEmailAddress().text(), form.billingAddress1().text(),
                            form.billingAddress2().text(), form.billingCity().text(), state,
                            form.billingZipcode().text(), form.billingPhoneNumber().text(),
                            login.userName, login.password});
}

std::string WalletRequests::maskedCardNumber(const json::Value& number) {
  std::string text = number.str();
  if (text.size() > 4) text.replace(0, text.size() - 4, text.size() - 4, '*');
  return text;
}

}  // namespace kelda::account
