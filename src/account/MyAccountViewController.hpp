// MyAccountViewController: the account menu ("My Account"), the door to the signed-in
// shopper's own data: "my profile", "my wallet" and "my address book", one section each. A
// shopper who is not signed in is told to sign in first and nothing opens. Each screen is made
// on first use and reused. Opened from the "more" tab and the home header; main thread only.
#pragma once

#include <memory>

#include "ui/TableView.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/ViewController.hpp"

namespace kelda::account {

class MyProfileViewController;
class MyWalletViewController;
class MyAddressBookViewController;

class MyAccountViewController : public ui::ViewController,
                                public ui::TableViewDataSource,
                                public ui::TableViewDelegate {
 public:
  static constexpr const char* kPageId = "mobile.landing.myaccount";
  static constexpr const char* kSignInFirstMessage =
      "Need to Sign In first before viewing My Account.";

  MyAccountViewController();
  ~MyAccountViewController() override;

  ui::TableView& tableView();

  int numberOfSectionsInTableView(ui::TableView&) override { return 3; }
  int numberOfRowsInSection(ui::TableView&, int) override { return 1; }
  std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&,
                                                           ui::IndexPath indexPath) override;
  void didSelectRowAtIndexPath(ui::TableView&, ui::IndexPath indexPath) override;

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;

 private:
  void open(int section);

  std::shared_ptr<ui::TableView> table_;
  std::shared_ptr<MyProfileViewController> profile_;
  std::shared_ptr<MyWalletViewController> wallet_;
  std::shared_ptr<MyAddressBookViewController> addressBook_;
};

}  // namespace kelda::account
