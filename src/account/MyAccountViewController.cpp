#include "account/MyAccountViewController.hpp"

#include "account/MyAddressBookViewController.hpp"
#include "account/MyProfileViewController.hpp"
#include "account/MyWalletViewController.hpp"
#include "gateway/Components.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/GlobalFlags.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "ui/NavigationController.hpp"
#include "ui/TableViewCell.hpp"

namespace kelda::account {
namespace {

constexpr const char* kRows[] = {"my profile", "my wallet", "my address book"};

}  // namespace

MyAccountViewController::MyAccountViewController() {
  setTitle("My Account");
}

MyAccountViewController::~MyAccountViewController() = default;

ui::TableView& MyAccountViewController::tableView() {
  view();
  return *table_;
}

std::shared_ptr<ui::View> MyAccountViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  table_ = root->add<ui::TableView>(ui::TableViewStyle::Grouped);
  table_->dataSource = this;
  table_->delegate = this;
  return root;
}

void MyAccountViewController::viewWillAppear(bool) {
  gateway::TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(kPageId);
  tableView().reloadData();
}

std::shared_ptr<ui::TableViewCell> MyAccountViewController::cellForRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
  auto cell = std::make_shared<ui::TableViewCell>();
  cell->textLabel().text = kRows[indexPath.section];
  cell->accessoryType = ui::CellAccessory::DisclosureIndicator;
  return cell;
}

void MyAccountViewController::didSelectRowAtIndexPath(ui::TableView& table,
                                                      ui::IndexPath indexPath) {
  table.deselectRowAtIndexPath(indexPath);
  gateway::guarded("-[MyAccountViewController tableView:didSelectRowAtIndexPath:]",
                   [&] { open(indexPath.section); });
}

void MyAccountViewController::open(int section) {
  if (!gateway::GlobalFlags::shared().loginSuccessful) {
    return gateway::Components::sharedInstance().showAlertWithMessage(kSignInFirstMessage);
  }
  std::shared_ptr<ui::ViewController> screen;
  if (section == 0) {
    if (!profile_) profile_ = std::make_shared<MyProfileViewController>();
    screen = profile_;
  } else if (section == 1) {
    if (!wallet_) wallet_ = std::make_shared<MyWalletViewController>();
    screen = wallet_;
  } else {
    if (!addressBook_) addressBook_ = std::make_shared<MyAddressBookViewController>();
    screen = addressBook_;
  }
  if (auto* navigation = navigationController()) navigation->pushViewController(screen, true);
}

}  // namespace kelda::account
