#include "catalogue/OffersViewController.hpp"

#include <string>

#include "bag/BagRequests.hpp"
#include "catalogue/ScreenParts.hpp"
#include "gateway/RequestStatus.hpp"
#include "gateway/TarnObjects.hpp"
#include "platform/TaskAndReply.hpp"
#include "ui/AlertView.hpp"
#include "ui/BarButtonItem.hpp"
#include "ui/Label.hpp"
#include "ui/NavigationController.hpp"
#include "ui/TabBarController.hpp"
#include "ui/TableViewCell.hpp"

namespace kelda::catalogue {
namespace {

json::Value offers() {
  return gateway::TarnObjects::sharedInstance().offerDetails()["data"];
}

// Names longer than this, and codes longer than the next, take a taller row.
constexpr std::size_t kLongName = 50;
constexpr std::size_t kLongCode = 11;

}  // namespace

OffersViewController::OffersViewController() {
  setTitle("Offers");
}

ui::TableView& OffersViewController::tableView() {
  view();
  return *table_;
}

std::shared_ptr<ui::View> OffersViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  table_ = addTable(*root, *this);
  navigationItem().leftBarButtonItem =
      std::make_shared<ui::BarButtonItem>("home", [this] { goHome(); });
  // The in-store savings button has no action of its own.
  navigationItem().rightBarButtonItem = std::make_shared<ui::BarButtonItem>("instore savings");
  return root;
}

void OffersViewController::goHome() {
  if (auto* navigation = navigationController()) navigation->popToRootViewControllerAnimated(true);
  if (auto* tabs = tabBarController()) tabs->tapTab(kHomeTab);
}

void OffersViewController::viewWillAppear(bool) {
  overlay_.show();
  // The list on screen stays when no answer comes. Without a connection the connectivity alert
  // has been shown; a failed request says so.
  platform::postTaskAndReply(
      platform::weakFrom(this), [] { return bag::BagRequests::offerDetails(); },
      [](OffersViewController& screen, gateway::RequestStatus status) {
        screen.overlay_.hide();
        screen.table_->reloadData();
        if (status == gateway::RequestStatus::Failed) {
          ui::showAlert(ui::AlertView{kFailedTitle, kFailedMessage, {"OK"}, 0, nullptr});
        }
      });
}

int OffersViewController::numberOfRowsInSection(ui::TableView&, int) {
  const json::Value list = offers();
  return 1 + (list.isArray() ? static_cast<int>(list.size()) : 0);
}

std::shared_ptr<ui::TableViewCell> OffersViewController::cellForRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
  auto cell = std::make_shared<ui::TableViewCell>();
  cell->selectionStyle = ui::CellSelectionStyle::None;
  if (indexPath.row == 0) {
    cell->textLabel().text = kInstruction;
    cell->textLabel().numberOfLines = 0;
    return cell;
  }
  const json::Value offer = offers()[static_cast<std::size_t>(indexPath.row - 1)];
  const std::string name = offer["promotionName"].str();
  const std::string code = offer["promoCode"].str();
  cell->textLabel().text = name;
  cell->textLabel().numberOfLines = name.size() > kLongName ? 0 : 1;
  cell->add<ui::Label>("Use promo code");
  cell->add<ui::Label>(code, ui::TextStyle::Bold)->numberOfLines = code.size() > kLongCode ? 0 : 1;
  cell->add<ui::Label>("in your shopping bag");
  return cell;
}

}  // namespace kelda::catalogue
