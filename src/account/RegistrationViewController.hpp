// RegistrationViewController: the registration screen, in three steps: profile (name, e-mail,
// password, birth date, gender, subscription), address (shipping address and phone), and the
// credit card. CREATE PROFILE sends the first two steps ("register"); on success the new
// shopper is signed in and may add a card (FINISH sends it with "edit_wallet") or start
// shopping. Every step's rules run before anything is sent.
//
// The form lives in the profile record (UserProfileDetails), so leaving and reopening the
// screen keeps what was typed until the registration is finished or abandoned (cancel, back,
// START SHOPPING, a confirmed FINISH); the next appearance after that starts a new form at the
// profile step. It is pushed on the stack of whichever tab opened it. Main thread only; the
// requests run on workers.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "account/AccountOutcome.hpp"
#include "account/RegistrationPickers.hpp"
#include "account/RegistrationRequests.hpp"
#include "support/BusyOverlayHandle.hpp"
#include "ui/BarButtonItem.hpp"
#include "ui/Button.hpp"
#include "ui/CheckBox.hpp"
#include "ui/Switch.hpp"
#include "ui/TableView.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/TextField.hpp"
#include "ui/ViewController.hpp"

namespace kelda::account {

// One row of the registration form (defined with the screen).
struct FormRow;

class RegistrationViewController : public ui::ViewController,
                                   public ui::TableViewDataSource,
                                   public ui::TableViewDelegate {
 public:
  enum class Step { Profile, Address, Wallet };

  static constexpr const char* kCreatePageId = "mobile.create.profile";
  static constexpr const char* kCardPageId = "mobile.credit.profile";
  static constexpr const char* kCreatedMessage =
      "Your profile was successfully created! You can add a credit card to your profile now for "
      "faster checkout or start shopping.";
  static constexpr const char* kCancelProfileQuestion =
      "Your profile has not yet been created, would you like to proceed without creating one?";
  static constexpr const char* kCancelCardQuestion =
      "You should have a credit card and at least one billing address for shopping with keldas. "
      "Would you like to proceed without adding billing address?";

  RegistrationViewController();
  ~RegistrationViewController() override;

  // The buttons under the steps: CONTINUE (profile), CREATE PROFILE (address), FINISH (card),
  // CANCEL (any step), and the back button.
  void continueButtonPressed();
  void createProfileButtonPressed();
  void finishButtonPressed();
  void cancelButtonPressed();
  void previous();

  // Each runs its step's rules over the form and shows the first failing rule's message.
  bool validateMyProfileTab();
  bool validateMyAddressTab();
  bool validateMyWalletTab();
  bool validateDate();
  // Clears the form: every field empty, "use my shipping address" on, the subscription on.
  void setUserProfileDataToNil();

  Step step() const { return step_; }
  ui::TableView& tableView();
  // The form's text field of a profile field ("firstName", "billingZipcode", ...).
  ui::TextField* field(const std::string& identifier);

  // TableViewDataSource / TableViewDelegate.
  int numberOfSectionsInTableView(ui::TableView&) override;
  int numberOfRowsInSection(ui::TableView&, int section) override;
  std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&,
                                                           ui::IndexPath indexPath) override;
  std::shared_ptr<ui::View> viewForFooterInSection(ui::TableView&, int section) override;
  void didSelectRowAtIndexPath(ui::TableView&, ui::IndexPath indexPath) override;

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewDidLoad() override;
  void viewWillAppear(bool animated) override;
  void viewWillDisappear(bool animated) override;

 private:
  const FormRow& rowAt(ui::IndexPath indexPath) const;
  std::shared_ptr<ui::TableViewCell> makeCell(const FormRow& row);
  std::shared_ptr<ui::Button> pickerButton(const char* identifier, std::string title,
                                           std::function<void()> show);
  void showStep(Step step);
  void toggleUseShippingAddress(bool checked);
  void profileAnswered(const RegistrationResult& result);
  void signInAfterCreatingProfile();
  void signedInAfterCreatingProfile(AccountOutcome outcome);
  void showProfileCreatedAlert();
  void cardAnswered(AccountOutcome outcome);
  std::string walletBody();
  void leave();
  void stopBusy();

  Step step_ = Step::Profile;
  // True once the registration was finished or abandoned: the next appearance starts anew.
  bool closed_ = false;
  int billingRows_ = 1;
  std::map<std::string, std::shared_ptr<ui::TextField>> fields_;
  std::shared_ptr<ui::Switch> subscribe_;
  std::shared_ptr<ui::CheckBox> primaryBilling_;
  std::shared_ptr<ui::CheckBox> useShippingAddress_;
  std::shared_ptr<ui::TableView> table_;
  std::shared_ptr<ui::Button> stepButtons_[3];
  RegistrationPickers pickers_;
  support::BusyOverlayHandle overlay_;
  // The screen's own back button, shown in place of the standard one only while the screen is
  // shown; the screen keeps it so that its action outlives its removal from the bar.
  std::shared_ptr<ui::BarButtonItem> backButton_;
};

}  // namespace kelda::account
