#include "stores/StoreDetailsViewController.hpp"

#include <utility>

#include "gateway/ExceptionGuard.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "platform/TaskAndReply.hpp"
#include "stores/SavingsPassScreens.hpp"
#include "stores/StoreAlerts.hpp"
#include "stores/StoreCells.hpp"
#include "stores/StoreEventsViewController.hpp"
#include "stores/StoreLinks.hpp"
#include "stores/StoreRecord.hpp"
#include "stores/StoresRequests.hpp"
#include "ui/Button.hpp"
#include "ui/NavigationController.hpp"

namespace kelda::stores {
namespace {

using gateway::RequestStatus;
using gateway::TarnObjects;

constexpr int kStoreSection = 0;
constexpr int kHoursSection = 1;

}  // namespace

StoreDetailsViewController::StoreDetailsViewController() {
  setTitle("Stores");
}

void StoreDetailsViewController::setStore(int index, json::Value store) {
  index_ = index;
  store_ = std::move(store);
  if (table_) table_->reloadData();
}

ui::TableView& StoreDetailsViewController::tableView() {
  view();
  return *table_;
}

std::shared_ptr<ui::View> StoreDetailsViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  table_ = root->add<ui::TableView>(ui::TableViewStyle::Grouped);
  table_->dataSource = this;
  table_->delegate = this;
  auto header = std::make_shared<ui::View>();
  header->add<ui::Button>("VIEW EVENTS", [this](ui::Button&) { viewEvents(); });
  header->add<ui::Button>("INSTORE SAVINGS PASS", [this](ui::Button&) { viewSavingsPass(); });
  table_->tableHeaderView = header;
  return root;
}

void StoreDetailsViewController::viewDidLoad() {
  setTitle("Stores");
}

void StoreDetailsViewController::viewWillAppear(bool) {
  setTitle("Kelda's Store");
  gateway::TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(kPageId);
  table_->reloadData();
}

json::Value StoreDetailsViewController::hours() const {
  const json::Value hours = store_["storeHours"];
  return hours.isArray() ? hours : json::Value::array();
}

int StoreDetailsViewController::numberOfRowsInSection(ui::TableView&, int section) {
  if (section == kHoursSection) return 1 + static_cast<int>(hours().size());
  return 1;
}

std::shared_ptr<ui::TableViewCell> StoreDetailsViewController::cellForRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
  if (indexPath.section == kStoreSection) {
    const json::Value store = store_;
    StoreRowActions actions;
    actions.call = [store] { openCall(dialNumber(store)); };
    actions.directions = [store] { openDirections(storeAddressText(store)); };
    actions.map = [store] { openMapSearch(storeAddressText(store)); };
    return storeInfoCell(store, actions, true);
  }
  if (indexPath.section == kHoursSection) {
    if (indexPath.row == 0) {
      auto caption = std::make_shared<ui::TableViewCell>();
      caption->textLabel().text = store_["storeName"].str() + " Store Hours";
      return caption;
    }
    const json::Value day = hours()[static_cast<std::size_t>(indexPath.row - 1)];
    auto cell = std::make_shared<ui::TableViewCell>(ui::CellStyle::Value1);
    cell->textLabel().text = day["storedate"].str();
    cell->detailTextLabel().text = day["storeTime"].str();
    return cell;
  }
  auto events = std::make_shared<ui::TableViewCell>();
  events->textLabel().text = "Events";
  events->accessoryType = ui::CellAccessory::DisclosureIndicator;
  return events;
}

void StoreDetailsViewController::didSelectRowAtIndexPath(ui::TableView& table,
                                                         ui::IndexPath indexPath) {
  table.deselectRowAtIndexPath(indexPath);
  if (indexPath.section == 2) viewEvents();
}

void StoreDetailsViewController::viewEvents() {
  gateway::guarded("-[StoreDetailsViewController viewEvents:]", [&] {
    overlay_.show();
    platform::postTaskAndReply(
        platform::weakFrom(this),
        [storeId = store_["storeId"].str()] { return StoresRequests::getAllStoreEvents(storeId); },
        [](StoreDetailsViewController& screen, RequestStatus status) {
          screen.eventsArrived(status);
        });
  });
}

void StoreDetailsViewController::eventsArrived(RequestStatus status) {
  gateway::guarded("-[StoreDetailsViewController stopAnimator]", [&] {
    overlay_.hide();
    if (status == RequestStatus::NotSent) return;
    if (status == RequestStatus::Failed) {
      showAlert(kSorryTitle, kNoAnswerMessage);
      return;
    }
    const json::Value answer = TarnObjects::sharedInstance().storeLocationEventsRecord();
    if (answer.contains("error")) {
      showAlert("", kNoEvents);
      return;
    }
    auto events = std::make_shared<StoreEventsViewController>(index_, store_, answer["data"]);
    if (auto* navigation = navigationController()) navigation->pushViewController(events, true);
  });
}

void StoreDetailsViewController::viewSavingsPass() {
  gateway::guarded("-[StoreDetailsViewController viewSavingsPass:]", [&] {
    overlay_.show();
    platform::postTaskAndReply(
        platform::weakFrom(this),
        [postalCode = store_["addrPostalCode"].str()] {
          return StoresRequests::inStoreSavingPass(postalCode);
        },
        [](StoreDetailsViewController& screen, RequestStatus status) {
          screen.savingsPassArrived(status);
        });
  });
}

void StoreDetailsViewController::savingsPassArrived(RequestStatus status) {
  gateway::guarded("-[StoreDetailsViewController loadSavingPass]", [&] {
    overlay_.hide();
    if (status == RequestStatus::NotSent) return;
    if (status == RequestStatus::Failed) {
      showAlert(kSorryTitle, kNoAnswerMessage);
      return;
    }
    auto screen =
        savingsPassScreenFor(TarnObjects::sharedInstance().inStoreSavingPassResultsDictionary());
    if (auto* navigation = navigationController()) navigation->pushViewController(screen, true);
  });
}

}  // namespace kelda::stores
