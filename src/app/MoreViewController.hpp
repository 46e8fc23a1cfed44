// MoreViewController: the root screen of the more tab: everything that is not shopping. Signed
// out it offers sign in, register, the store information and the about page; signed in, my
// account, the store information, about and log-out (which keeps the bag). Each appearance
// chooses the list by the sign-in state and sets the bag tab's badge. The screens it opens are
// made on first use and reused. Main thread only.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ui/TableView.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/ViewController.hpp"

namespace kelda::account {
class LoginViewController;
class RegistrationViewController;
class MyAccountViewController;
}  // namespace kelda::account
namespace kelda::stores {
class StoreLocatorViewController;
}
namespace kelda::support {
class AboutMeViewController;
}

namespace kelda::app {

class MoreViewController : public ui::ViewController,
                           public ui::TableViewDataSource,
                           public ui::TableViewDelegate {
 public:
  static constexpr const char* kPageId = "mobile.info.home";
  static constexpr int kBagTab = 2;

  MoreViewController();

  // The rows shown now (one section each).
  const std::vector<std::string>& rows() const;
  ui::TableView& tableView();

  int numberOfSectionsInTableView(ui::TableView&) override;
  int numberOfRowsInSection(ui::TableView&, int section) override;
  std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&,
                                                           ui::IndexPath indexPath) override;
  void didSelectRowAtIndexPath(ui::TableView&, ui::IndexPath indexPath) override;

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewDidLoad() override;
  void viewWillAppear(bool animated) override;

 private:
  void open(const std::string& row);
  void push(const std::shared_ptr<ui::ViewController>& screen);
  void logOut();

  std::vector<std::string> logedInArray_;
  std::vector<std::string> signupArray_;
  std::shared_ptr<ui::TableView> table_;
  std::shared_ptr<account::LoginViewController> login_;
  std::shared_ptr<account::RegistrationViewController> registration_;
  std::shared_ptr<account::MyAccountViewController> myAccount_;
  std::shared_ptr<support::AboutMeViewController> about_;
  std::shared_ptr<stores::StoreLocatorViewController> locator_;
  // The caller's lock the bag store's total is read under.
  std::shared_ptr<std::mutex> bagLock_ = std::make_shared<std::mutex>();
};

}  // namespace kelda::app
