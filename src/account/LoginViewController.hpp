// LoginViewController: the sign-in screen. The shopper types an e-mail address and password and
// signs in; the screen also leads to the forgotten-password and registration screens. It is
// pushed on the stack of whichever tab opened it (home, search, bag, more); `pageFlag` says
// which ("HomeView", "SearchView", "ViewBag", "MoreView"). Opened on the way to checkout while
// a shopper is already signed in, it shows the stored e-mail address and "CONTINUE CHECKOUT".
//
// A confirmed sign-in writes the stored log-in, marks the shopper signed in and then either
// posts "MyNotificationGoToCheckout" (on the way to checkout) or pops the screen. Main thread
// only; the request runs on a worker.
#pragma once

#include <memory>
#include <string>

#include "account/AccountOutcome.hpp"
#include "support/BusyOverlayHandle.hpp"
#include "ui/TableView.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/TextField.hpp"
#include "ui/ViewController.hpp"

namespace kelda::account {

class ForgetPasswordViewController;
class RegistrationViewController;

class LoginViewController : public ui::ViewController,
                            public ui::TableViewDataSource,
                            public ui::TableViewDelegate {
 public:
  static constexpr const char* kPageId = "mobile.login.profile";
  static constexpr const char* kGoToCheckoutNotification = "MyNotificationGoToCheckout";

  LoginViewController();

  // Which screen opened this one ("ViewBag" asks to sign in before checkout).
  std::string pageFlag;

  // Actions.
  void signIn();
  void forgotPassword();
  void registration();

  ui::TableView& tableView();
  ui::TextField& emailField() { return *email_; }
  ui::TextField& passwordField() { return *password_; }

  // TableViewDataSource / TableViewDelegate.
  int numberOfSectionsInTableView(ui::TableView&) override;
  int numberOfRowsInSection(ui::TableView&, int section) override;
  std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&,
                                                           ui::IndexPath indexPath) override;
  std::shared_ptr<ui::View> viewForFooterInSection(ui::TableView&, int section) override;

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;
  void viewWillDisappear(bool animated) override;

 private:
  void returnPressed(ui::TextField& field, const char* fieldName);
  void signInAnswered(AccountOutcome outcome, const std::string& email,
                      const std::string& password);

  std::shared_ptr<ui::TableView> table_;
  std::shared_ptr<ui::TextField> email_;
  std::shared_ptr<ui::TextField> password_;
  std::shared_ptr<ForgetPasswordViewController> forgetPassword_;
  std::shared_ptr<RegistrationViewController> registration_;
  support::BusyOverlayHandle overlay_;
};

// The shopper's sign-in password rule: 5 to 16 characters, and no ";" (the stored log-in
// separates name and password with it, so such a password could not be read back).
bool isAcceptableSignInPassword(const std::string& password);

}  // namespace kelda::account
