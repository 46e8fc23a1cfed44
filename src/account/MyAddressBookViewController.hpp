// MyAddressBookViewController: the address book list ("My Account", "my address book"): the
// shopper's shipping addresses from the last account answer; the radio button of the default
// address is filled. "Add Address" adds one, EDIT opens the address edit screen, REMOVE
// deletes an address and MARK AS PRIMARY SHIPPING ADDRESS makes the chosen one the default.
// Owned by the account menu; main thread only.
#pragma once

#include <memory>

#include "account/AccountListViewController.hpp"
#include "account/MyAddressBookEditViewController.hpp"

namespace kelda::account {

class MyAddressBookViewController : public AccountListViewController {
 public:
  static constexpr const char* kPageId = "mobile.address.myaccount";

  MyAddressBookViewController();

  // EDIT: opens the address edit screen for address `index`.
  void edit(int index) override;
  // "Add Address": opens the address edit screen for a new address.
  void addAddress();

 protected:
  void viewWillAppear(bool animated) override;
  json::Value entries() const override;
  bool isDefault(const json::Value& entry) const override;
  std::vector<std::string> linesOf(const json::Value& entry) const override;
  Request markAsPrimaryRequest(const json::Value& entry) const override;
  Request removeRequest(const json::Value& entry) const override;

 private:
  void open(json::Value address);

  std::shared_ptr<MyAddressBookEditViewController> edit_;
};

}  // namespace kelda::account
