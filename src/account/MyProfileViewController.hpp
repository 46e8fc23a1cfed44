// MyProfileViewController: the profile screen ("My Account"). Showing, it lists the profile of
// the last account answer (name, e-mail, address lines, ZIP code, birth date, gender) and the
// privacy policy row; the Edit button turns it into a form (names, e-mail, password twice,
// address lines, ZIP code, birth date and gender pickers, the subscription switch) with CANCEL
// and SAVE. SAVE runs the profile rules and sends "edit_profile"; when the server confirms, the
// stored log-in is rewritten with the new e-mail address and password and the screen shows the
// new profile. A refused or failed save keeps the form with everything typed and says why.
// Owned by the account menu; main thread only.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "account/AccountOutcome.hpp"
#include "account/RegistrationPickers.hpp"
#include "support/BusyOverlayHandle.hpp"
#include "ui/Switch.hpp"
#include "ui/TableView.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/TextField.hpp"
#include "ui/ViewController.hpp"

namespace kelda::account {

class MyProfileViewController : public ui::ViewController,
                                public ui::TableViewDataSource,
                                public ui::TableViewDelegate {
 public:
  static constexpr const char* kPageId = "mobile.profile.myaccount";

  MyProfileViewController();

  // The Edit button, CANCEL, SAVE and the back button.
  void edit();
  void cancel();
  void save();
  void back();
  // Runs the profile rules over the form; shows the first failing rule's message.
  bool validateMyProfile();

  bool isEditable() const { return isEditable_; }
  ui::TableView& tableView();
  ui::TextField* field(const std::string& identifier);

  int numberOfSectionsInTableView(ui::TableView&) override;
  int numberOfRowsInSection(ui::TableView&, int section) override;
  std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&,
                                                           ui::IndexPath indexPath) override;
  std::shared_ptr<ui::View> viewForFooterInSection(ui::TableView&, int section) override;
  void didSelectRowAtIndexPath(ui::TableView&, ui::IndexPath indexPath) override;

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;
  void viewWillDisappear(bool animated) override;

 private:
  std::shared_ptr<ui::TableViewCell> showingCell(int row);
  std::shared_ptr<ui::TableViewCell> editingCell(int row);
  void showShowing();
  void answered(AccountOutcome outcome);

  bool isEditable_ = false;
  std::map<std::string, std::shared_ptr<ui::TextField>> fields_;
  std::shared_ptr<ui::Switch> subscribe_;
  std::shared_ptr<ui::TableView> table_;
  RegistrationPickers pickers_;
  support::BusyOverlayHandle overlay_;
};

}  // namespace kelda::account
