// ForgetPasswordViewController: the forgotten-password screen. The shopper types the e-mail
// address of the account; SUBMIT asks the server to mail the password and, when it confirms,
// says where it went and closes the screen. Main thread only; the request runs on a worker.
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

class ForgetPasswordViewController : public ui::ViewController,
                                     public ui::TableViewDataSource,
                                     public ui::TableViewDelegate {
 public:
  static constexpr const char* kPageId = "mobile.password.profile";

  ForgetPasswordViewController();

  void submitAction();

  ui::TableView& tableView();
  ui::TextField& emailField() { return *email_; }

  int numberOfRowsInSection(ui::TableView&, int section) override;
  std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&,
                                                           ui::IndexPath indexPath) override;
  std::shared_ptr<ui::View> viewForFooterInSection(ui::TableView&, int section) override;

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;

 private:
  void answered(AccountOutcome outcome, const std::string& email);

  std::shared_ptr<ui::TableView> table_;
  std::shared_ptr<ui::TextField> email_;
  support::BusyOverlayHandle overlay_;
};

}  // namespace kelda::account
