#include "app/MoreViewController.hpp"

#include "account/LoginViewController.hpp"
#include "account/MyAccountViewController.hpp"
#include "account/RegistrationViewController.hpp"
#include "bag/CoreDataHandler.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/GlobalFlags.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "gateway/UserProfileDetails.hpp"
#include "platform/TaskAndReply.hpp"
#include "stores/StoreLocatorViewController.hpp"
#include "support/AboutMeViewController.hpp"
#include "ui/NavigationController.hpp"
#include "ui/TabBarController.hpp"
#include "ui/TableViewCell.hpp"

namespace kelda::app {
namespace {

bool signedIn() {
  return gateway::GlobalFlags::shared().loginSuccessful;
}

}  // namespace

MoreViewController::MoreViewController() {
  setTitle("More");
}

const std::vector<std::string>& MoreViewController::rows() const {
  return signedIn() ? logedInArray_ : signupArray_;
}

ui::TableView& MoreViewController::tableView() {
  view();
  return *table_;
}

std::shared_ptr<ui::View> MoreViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  table_ = root->add<ui::TableView>(ui::TableViewStyle::Grouped);
  table_->dataSource = this;
  table_->delegate = this;
  return root;
}

void MoreViewController::viewDidLoad() {
  logedInArray_ = {"my account", "store information", "about", "logout"};
  signupArray_ = {"sign in", "register", "store information", "about"};
}

void MoreViewController::viewWillAppear(bool) {
  gateway::TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(kPageId);
  platform::postTaskAndReply(
      platform::weakFrom(this),
      [lock = bagLock_] {
        return bag::CoreDataHandler::sharedCoreDataHandler().totalQuantityInBag(*lock);
      },
      [](MoreViewController& screen, long long total) {
        if (auto* tabs = screen.tabBarController()) {
          tabs->setBadgeValue(kBagTab, std::to_string(total));
        }
      });
  tableView().reloadData();
}

int MoreViewController::numberOfSectionsInTableView(ui::TableView&) {
  return static_cast<int>(rows().size());
}

int MoreViewController::numberOfRowsInSection(ui::TableView&, int) {
  return 1;
}

std::shared_ptr<ui::TableViewCell> MoreViewController::cellForRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
  auto cell = std::make_shared<ui::TableViewCell>();
  cell->textLabel().text = rows()[static_cast<std::size_t>(indexPath.section)];
  cell->accessoryType = ui::CellAccessory::DisclosureIndicator;
  return cell;
}

void MoreViewController::didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) {
  table.deselectRowAtIndexPath(indexPath);
  const std::string row = rows()[static_cast<std::size_t>(indexPath.section)];
  gateway::guarded("-[MoreViewController tableView:didSelectRowAtIndexPath:]", [&] { open(row); });
}

void MoreViewController::open(const std::string& row) {
  if (row == "sign in") {
    if (!login_) login_ = std::make_shared<account::LoginViewController>();
    login_->pageFlag = "MoreView";
    push(login_);
  } else if (row == "register") {
    if (!registration_) registration_ = std::make_shared<account::RegistrationViewController>();
    push(registration_);
  } else if (row == "store information") {
    if (!locator_) locator_ = std::make_shared<stores::StoreLocatorViewController>();
    push(locator_);
  } else if (row == "about") {
    if (!about_) about_ = std::make_shared<support::AboutMeViewController>();
    push(about_);
  } else if (row == "my account") {
    if (!myAccount_) myAccount_ = std::make_shared<account::MyAccountViewController>();
    push(myAccount_);
  } else if (row == "logout") {
    logOut();
  }
}

void MoreViewController::push(const std::shared_ptr<ui::ViewController>& screen) {
  if (auto* navigation = navigationController()) navigation->pushViewController(screen, true);
}

void MoreViewController::logOut() {
  gateway::UserProfileDetails::sharedUserProfileObject().logOut();
  tableView().reloadData();
}

}  // namespace kelda::app
