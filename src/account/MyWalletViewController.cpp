#include "account/MyWalletViewController.hpp"

#include "account/AccountEdit.hpp"
#include "account/WalletRequests.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "platform/TaskAndReply.hpp"
#include "ui/BarButtonItem.hpp"
#include "ui/NavigationController.hpp"

namespace kelda::account {
namespace {

using gateway::UserProfileDetails;
using P = UserProfileDetails;

UserProfileDetails& profile() {
  return UserProfileDetails::sharedUserProfileObject();
}

}  // namespace

MyWalletViewController::MyWalletViewController()
    : AccountListViewController(
          {"my wallet", "billing address information:",
           "You need to have at least one credit card and a billing address in order to make a "
           "purchase at Kelda's",
           "MARK AS PRIMARY BILLING ADDRESS"}) {}

void MyWalletViewController::viewDidLoad() {
  for (ProfileSetter set :
       {&P::setCardType, &P::setCardNumber, &P::setExpirationDate, &P::setBillingFirstName,
        &P::setBillingLastName, &P::setBillingAddress1, &P::setBillingAddress2, &P::setBillingCity,
        &P::setBillingState, &P::setBillingZipcode, &P::setBillingPhoneNumber,
        &P::setBillingEmailAddress}) {
    (profile().*set)(json::Value(""));
  }
  platform::postTaskAndReply(
      platform::weakFrom(this), [] { WalletRequests::ensureCreditCardTypes(); },
      [](MyWalletViewController& screen) { screen.reload(); });
}

void MyWalletViewController::viewWillAppear(bool) {
  gateway::TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(kPageId);
  navigationItem().rightBarButtonItem =
      std::make_shared<ui::BarButtonItem>("+", [this] { addBillingAddress(); });
  reload();
}

json::Value MyWalletViewController::entries() const {
  return profile().defaultCreditCardArray();
}

bool MyWalletViewController::isDefault(const json::Value& card) const {
  const json::Value defaultId = profile().defaultCreditCardDictionary()["cardId"];
  return !isBlank(defaultId) && card["cardId"].text() == defaultId.text();
}

std::string MyWalletViewController::cityLine(const json::Value& card) {
  const std::string city = card["billingCity"].str();
  const std::string state = card["billingState"].str();
  const std::string zip = card["billingZipcode"].str();
  if (city.empty()) return "";
  if (state.empty() && zip.empty()) return city;
  if (state.empty()) return city + ", " + zip;
  if (zip.empty()) return city + ", " + state;
  return city + ", " + state + " " + zip;
}

std::vector<std::string> MyWalletViewController::linesOf(const json::Value& card) const {
  return {card["billingFirstName"].str() + " " + card["billingLastName"].str(),
          card["billingAddress1"].str(),
          card["billingAddress2"].str(),
          cityLine(card),
          card["billingPhone"].str(),
          card["billingEmailAddress"].str(),
          profile().getCardNameForCardCode(card["cardType"]),
          WalletRequests::maskedCardNumber(card["cardNumber"]),
          card["cardExpirationDate"].str()};
}

AccountListViewController::Request MyWalletViewController::markAsPrimaryRequest(
    const json::Value& card) const {
  return [card, current = profile().defaultCreditCardDictionary()] {
    return WalletRequests::markAsPrimaryBillingAddress(card, current);
  };
}

AccountListViewController::Request MyWalletViewController::removeRequest(
    const json::Value& card) const {
  return [card] { return WalletRequests::removeBillingAddress(card); };
}

void MyWalletViewController::edit(int index) {
  const json::Value card = entries()[index];
  for (const json::Value& type : profile().creditCardTypes().items()) {
    if (type["visible"].str() == "Y" && type["ccCode"].text() == card["cardType"].text()) {
      return open(card);
    }
  }
}

void MyWalletViewController::addBillingAddress() {
  open(json::Value());
}

void MyWalletViewController::open(json::Value card) {
  if (!edit_) edit_ = std::make_shared<MyWalletEditViewController>();
  edit_->setNewAddress(!card.isObject());
  edit_->setEditBillingDictionary(std::move(card));
  if (auto* navigation = navigationController()) navigation->pushViewController(edit_, true);
}

}  // namespace kelda::account
