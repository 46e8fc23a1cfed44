// MyAddressBookEditViewController: the address edit screen ("My Account", "my address book"):
// first and last name, two address lines, city, state (a picker), ZIP code and phone, and SAVE,
// which sends "edit_shipping". It edits one address of the shopper's address book, or a new one.
//
// How other screens open it (the address book list, and checkout for the address it shows):
//   auto edit = MyAddressBookEditViewController::forAddress(address);  // absent: a new address
//   edit->saved = [...] { ... };   // optional: runs after the server confirmed the save
//   navigation.pushViewController(edit, true);
// Each appearance fills the form from the address given (blank for a new one). SAVE runs the
// address book rules; a confirmed save stores the server's answer (shippingAddressArray,
// defaultShippingDictionary, ...), clears the form, runs `saved` and pops the screen. A refused
// or failed save keeps the screen and everything typed, and says why. The first address the
// shopper adds becomes the primary one. The shared selections (selectedAddressRow) are the
// opener's to keep; this screen does not change them. Main thread only.
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

class MyAddressBookEditViewController : public ui::ViewController,
                                        public ui::TableViewDataSource,
                                        public ui::TableViewDelegate {
 public:
  MyAddressBookEditViewController();

  // A screen for `address` (one record of shippingAddressArray), or for a new address when
  // `address` is absent.
  static std::shared_ptr<MyAddressBookEditViewController> forAddress(
      const json::Value& address = {});

  void setEditAddressDictionary(json::Value address) {
    editAddressDictionary_ = std::move(address);
  }
  const json::Value& editAddressDictionary() const { return editAddressDictionary_; }
  bool isEditable() const { return isEditable_; }

  // SAVE: the rules, then the request; see above.
  void saveButtonPressed();
  // Runs the address book rules over the form; shows the first failing rule's message.
  bool validateMyAddressBook();

  // Runs after a confirmed save, before the screen leaves.
  std::function<void()> saved;

  ui::TableView& tableView();
  ui::TextField* field(const std::string& identifier);

  int numberOfRowsInSection(ui::TableView&, int section) override;
  std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&,
                                                           ui::IndexPath indexPath) override;
  std::shared_ptr<ui::View> viewForFooterInSection(ui::TableView&, int section) override;

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;

 private:
  void fillForm();
  void answered(AccountOutcome outcome);

  json::Value editAddressDictionary_;
  bool isEditable_ = true;
  std::map<std::string, std::shared_ptr<ui::TextField>> fields_;
  std::shared_ptr<ui::TableView> table_;
  RegistrationPickers pickers_;
  support::BusyOverlayHandle overlay_;
};

}  // namespace kelda::account
