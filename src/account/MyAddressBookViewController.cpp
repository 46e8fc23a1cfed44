#include "account/MyAddressBookViewController.hpp"

#include "account/AccountEdit.hpp"
#include "account/AddressBookRequests.hpp"
#include "account/MyProfileViewController.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "ui/BarButtonItem.hpp"
#include "ui/NavigationController.hpp"

namespace kelda::account {
namespace {

gateway::UserProfileDetails& profile() {
  return gateway::UserProfileDetails::sharedUserProfileObject();
}

}  // namespace

MyAddressBookViewController::MyAddressBookViewController()
    : AccountListViewController({"my address book", "shipping address information:",
                                 "You need to have at least one shipping address in order to "
                                 "make a purchase at Kelda's",
                                 "MARK AS PRIMARY SHIPPING ADDRESS"}) {}

void MyAddressBookViewController::viewWillAppear(bool) {
  auto& apis = gateway::TarnServerAPIs::sharedInstance();
  apis.coremetricsStaticPageViewTag(kPageId);
  apis.coremetricsStaticPageViewTag(MyProfileViewController::kPageId);
  navigationItem().rightBarButtonItem =
      std::make_shared<ui::BarButtonItem>("Add Address", [this] { addAddress(); });
  reload();
}

json::Value MyAddressBookViewController::entries() const {
  return profile().shippingAddressArray();
}

bool MyAddressBookViewController::isDefault(const json::Value& address) const {
  const json::Value defaultId = profile().defaultShippingDictionary()["contactId"];
  return !isBlank(defaultId) && address["contactId"].text() == defaultId.text();
}

std::vector<std::string> MyAddressBookViewController::linesOf(const json::Value& address) const {
  // The city line leaves out empty parts rather than doubling the blanks.
  std::string cityLine;
  for (const char* key : {"city", "state", "zipcode"}) {
    const std::string part = address[key].str();
    if (part.empty()) continue;
    if (!cityLine.empty()) cityLine += ' ';
    cityLine += part;
  }
  return {address["firstName"].str() + " " + address["lastName"].str(), address["address1"].str(),
          address["address2"].str(), cityLine, address["phone"].str()};
}

AccountListViewController::Request MyAddressBookViewController::markAsPrimaryRequest(
    const json::Value& address) const {
  return [address] { return AddressBookRequests::markAsPrimaryShippingAddress(address); };
}

AccountListViewController::Request MyAddressBookViewController::removeRequest(
    const json::Value& address) const {
  return [address] { return AddressBookRequests::removeShippingAddress(address); };
}

void MyAddressBookViewController::edit(int index) {
  open(entries()[index]);
}

void MyAddressBookViewController::addAddress() {
  open(json::Value());
}

void MyAddressBookViewController::open(json::Value address) {
  if (!edit_) edit_ = std::make_shared<MyAddressBookEditViewController>();
  edit_->setEditAddressDictionary(std::move(address));
  if (auto* navigation = navigationController()) navigation->pushViewController(edit_, true);
}

}  // namespace kelda::account
