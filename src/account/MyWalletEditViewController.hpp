// MyWalletEditViewController: the card edit screen ("My Account"): card type (a picker), card
// number, expiry (a month and year picker), then the card's billing address (names, two address
// lines, city, state picker, ZIP code, phone, e-mail) and SAVE, which sends "edit_wallet".
// It edits one card of the shopper's wallet, or a new one.
//
// How other screens open it (the wallet list, and checkout for the card it shows):
//   auto edit = MyWalletEditViewController::forCard(card);  // absent: a new card
//   edit->saved = [...] { ... };   // optional: runs after the server confirmed the save
//   navigation.pushViewController(edit, true);
// Each appearance fills the form from the card given ("Visa" and January of this year for a
// new card). The stored number is shown masked ("************1111"); saving without retyping
// it sends the stored number. A confirmed save stores the server's answer
// (defaultCreditCardArray, defaultCreditCardDictionary, ...), clears the form, runs `saved` and
// pops the screen. A refused or failed save keeps the screen and everything typed, and says why.
// The shared selections (selectedBillingAddressRow) are the opener's to keep. Main thread only.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "account/AccountOutcome.hpp"
#include "account/RegistrationPickers.hpp"
#include "json/Value.hpp"
#include "support/BusyOverlayHandle.hpp"
#include "ui/TableView.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/TextField.hpp"
#include "ui/ViewController.hpp"

namespace kelda::account {

class MyWalletEditViewController : public ui::ViewController,
                                   public ui::TableViewDataSource,
                                   public ui::TableViewDelegate {
 public:
  MyWalletEditViewController();

  // A screen for `card` (one record of defaultCreditCardArray), or for a new card when `card`
  // is absent.
  static std::shared_ptr<MyWalletEditViewController> forCard(const json::Value& card = {});

  void setEditBillingDictionary(json::Value card) { editBillingDictionary_ = std::move(card); }
  void setNewAddress(bool isNew) { newAddress_ = isNew; }
  const json::Value& editBillingDictionary() const { return editBillingDictionary_; }
  bool newAddress() const { return newAddress_; }
  // The masked number shown for the card being edited.
  const std::string& modifiedCardNumber() const { return modifiedCardNumber_; }

  // SAVE: the rules, then the request; see above.
  void save();
  // Runs the card edit rules over the form; shows the first failing rule's message.
  bool validateMyWallet();

  // Runs after a confirmed save, before the screen leaves.
  std::function<void()> saved;

  ui::TableView& tableView();
  ui::TextField* field(const std::string& identifier);

  int numberOfSectionsInTableView(ui::TableView&) override { return 2; }
  int numberOfRowsInSection(ui::TableView&, int section) override;
  std::string titleForHeaderInSection(ui::TableView&, int section) override;
  std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&,
                                                           ui::IndexPath indexPath) override;
  std::shared_ptr<ui::View> viewForFooterInSection(ui::TableView&, int section) override;

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewDidLoad() override;
  void viewWillAppear(bool animated) override;

 private:
  void fillForm();
  void answered(AccountOutcome outcome);
  std::shared_ptr<ui::TableViewCell> pickerCell(const char* identifier, const char* label,
                                                std::string title, std::function<void()> show);

  json::Value editBillingDictionary_;
  bool newAddress_ = false;
  std::string modifiedCardNumber_;
  std::map<std::string, std::shared_ptr<ui::TextField>> fields_;
  std::shared_ptr<ui::TableView> table_;
  RegistrationPickers pickers_;
  support::BusyOverlayHandle overlay_;
};

}  // namespace kelda::account
