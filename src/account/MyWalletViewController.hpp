// MyWalletViewController: the wallet list ("My Account", "my wallet"): the shopper's credit
// cards from the last account answer, each with its billing address, type, masked number and
// expiry; the radio button of the default card is filled. "+" adds a card, EDIT opens the card
// edit screen for a card whose type may be edited here, REMOVE deletes a card and MARK AS
// PRIMARY BILLING ADDRESS makes the chosen card the default. Owned by the account menu; main
// thread only.
#pragma once

#include <memory>

#include "account/AccountListViewController.hpp"
#include "account/MyWalletEditViewController.hpp"

namespace kelda::account {

class MyWalletViewController : public AccountListViewController {
 public:
  static constexpr const char* kPageId = "mobile.wallet.myaccount";

  MyWalletViewController();

  // EDIT: opens the card edit screen when the card's type is visible; otherwise nothing.
  void edit(int index) override;
  // "+": opens the card edit screen for a new card.
  void addBillingAddress();

  // The city line of a billing address: "City, ST 12345", shortened when parts are empty.
  static std::string cityLine(const json::Value& card);

 protected:
  void viewDidLoad() override;
  void viewWillAppear(bool animated) override;
  json::Value entries() const override;
  bool isDefault(const json::Value& entry) const override;
  std::vector<std::string> linesOf(const json::Value& entry) const override;
  Request markAsPrimaryRequest(const json::Value& entry) const override;
  Request removeRequest(const json::Value& entry) const override;

 private:
  void open(json::Value card);

  std::shared_ptr<MyWalletEditViewController> edit_;
};

}  // namespace kelda::account
