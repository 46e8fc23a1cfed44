#include "stores/EventDetailsViewController.hpp"

#include <fmt/format.h>

#include <utility>

#include "gateway/TarnServerAPIs.hpp"
#include "stores/MapViewController.hpp"
#include "stores/StoreCells.hpp"
#include "stores/StoreLinks.hpp"
#include "stores/StoreNavigation.hpp"
#include "stores/StoreRecord.hpp"
#include "ui/BarButtonItem.hpp"
#include "ui/Label.hpp"
#include "ui/NavigationController.hpp"

namespace kelda::stores {

EventDetailsViewController::EventDetailsViewController(int storeIndex, json::Value store,
                                                       int eventIndex, json::Value event)
    : storeIndex_(storeIndex),
      store_(std::move(store)),
      eventIndex_(eventIndex),
      event_(std::move(event)) {
  setTitle("Event Details");
  navigationItem().rightBarButtonItem =
      std::make_shared<ui::BarButtonItem>("view kelda's stores", [this] {
        if (auto* navigation = navigationController()) popToStoreSearch(*navigation);
      });
}

std::string EventDetailsViewController::descriptionText(std::string_view description) {
  std::string out;
  for (std::size_t i = 0; i < description.size(); ++i) {
    if (description[i] == '\\' && i + 1 < description.size() && description[i + 1] == 'n') {
      out += '\n';
      ++i;
    } else {
      out += description[i];
    }
  }
  return out;
}

ui::TableView& EventDetailsViewController::tableView() {
  view();
  return *table_;
}

std::shared_ptr<ui::View> EventDetailsViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  table_ = root->add<ui::TableView>(ui::TableViewStyle::Grouped);
  table_->dataSource = this;
  table_->delegate = this;
  return root;
}

void EventDetailsViewController::viewWillAppear(bool) {
  gateway::TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(kPageId);
}

std::shared_ptr<ui::TableViewCell> EventDetailsViewController::cellForRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
  if (indexPath.section == 0) {
    const json::Value store = store_;
    std::weak_ptr<ViewController> weakSelf = weak_from_this();
    StoreRowActions actions;
    actions.call = [store] { openCall(dialNumber(store)); };
    actions.directions = [store] { openDirections(storeAddressText(store)); };
    actions.map = [store, weakSelf] {
      auto self = weakSelf.lock();
      if (!self || !self->navigationController()) return;
      self->navigationController()->pushViewController(
          MapViewController::forStore(store, storeLocationCoordinate(store)), true);
    };
    return storeInfoCell(store, actions, true);
  }
  auto cell = std::make_shared<ui::TableViewCell>();
  if (indexPath.row == 0) {
    cell->textLabel().text = fmt::format("{} - {}", event_["storeEventStartDate"].text(),
                                         event_["storeEventFinishDate"].text());
  } else if (indexPath.row == 1) {
    cell->textLabel().text = event_["storeEventName"].str();
  } else {
    auto description = cell->add<ui::Label>(descriptionText(event_["storeEventDesc"].text()));
    description->numberOfLines = 0;
  }
  return cell;
}

}  // namespace kelda::stores
