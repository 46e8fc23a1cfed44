#include "stores/StoreListsViewController.hpp"

#include "gateway/ExceptionGuard.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "platform/RunLoop.hpp"
#include "stores/MapViewController.hpp"
#include "stores/StoreCells.hpp"
#include "stores/StoreDetailsViewController.hpp"
#include "stores/StoreLinks.hpp"
#include "stores/StoreRecord.hpp"
#include "stores/StoresRequests.hpp"
#include "ui/NavigationController.hpp"

namespace kelda::stores {

StoreListsViewController::StoreListsViewController() {
  setTitle("Kelda's Store");
}

ui::TableView& StoreListsViewController::tableView() {
  view();
  return *table_;
}

std::shared_ptr<ui::View> StoreListsViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  table_ = root->add<ui::TableView>(ui::TableViewStyle::Plain);
  table_->dataSource = this;
  table_->delegate = this;
  return root;
}

void StoreListsViewController::viewWillAppear(bool) {
  gateway::TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(kPageId);
  setTitle("Kelda's Store");
  stores_ = gateway::TarnObjects::sharedInstance().storeLocationsRecord()["data"];
  table_->reloadData();
  table_->scrollToRowAtIndexPath({0, 0});
}

int StoreListsViewController::numberOfSectionsInTableView(ui::TableView&) {
  return stores_.isArray() ? static_cast<int>(stores_.size()) : 0;
}

std::shared_ptr<ui::TableViewCell> StoreListsViewController::cellForRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
  const json::Value store = storeAt(indexPath.section);
  std::weak_ptr<ViewController> weakSelf = weak_from_this();
  StoreRowActions actions;
  actions.call = [store] { openCall(dialNumber(store, true)); };
  actions.directions = [store] { openDirections(storeAddressText(store)); };
  actions.map = [store, weakSelf] {
    auto self = weakSelf.lock();
    if (!self || !self->navigationController()) return;
    self->navigationController()->pushViewController(
        MapViewController::forStore(store, storeLocationCoordinate(store)), true);
  };
  if (indexPath.row == 0) return storeInfoCell(store, actions, false);
  return storeButtonsCell(store, actions);
}

void StoreListsViewController::didSelectRowAtIndexPath(ui::TableView& table,
                                                       ui::IndexPath indexPath) {
  gateway::guarded("-[StoreListsViewController tableView:didSelectRowAtIndexPath:]", [&] {
    table.deselectRowAtIndexPath(indexPath);
    const json::Value store = storeAt(indexPath.section);
    if (!details_) details_ = std::make_shared<StoreDetailsViewController>();
    details_->setStore(indexPath.section, store);
    // Not awaited: the details screen asks again when the shopper wants the events.
    platform::detachThread(
        [storeId = store["storeId"].str()] { StoresRequests::getAllStoreEvents(storeId); });
    if (auto* navigation = navigationController()) navigation->pushViewController(details_, true);
  });
}

}  // namespace kelda::stores
