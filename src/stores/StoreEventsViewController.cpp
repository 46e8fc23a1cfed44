#include "stores/StoreEventsViewController.hpp"

#include <fmt/format.h>

#include <utility>

#include "gateway/ExceptionGuard.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "platform/TaskAndReply.hpp"
#include "stores/EventDates.hpp"
#include "stores/EventDetailsViewController.hpp"
#include "stores/StoreAlerts.hpp"
#include "stores/StoreNavigation.hpp"
#include "stores/StoresRequests.hpp"
#include "ui/BarButtonItem.hpp"
#include "ui/Label.hpp"
#include "ui/NavigationController.hpp"
#include "ui/Window.hpp"

namespace kelda::stores {
namespace {

using gateway::RequestStatus;

constexpr int kDateSection = 0;
// Rows of the events section before the events themselves.
constexpr int kEventsCaptionRows = 1;

json::Value arrayOrEmpty(json::Value value) {
  return value.isArray() ? value : json::Value::array();
}

}  // namespace

StoreEventsViewController::StoreEventsViewController(int storeIndex, json::Value store,
                                                     json::Value events)
    : storeIndex_(storeIndex),
      store_(std::move(store)),
      events_(arrayOrEmpty(std::move(events))),
      pickerDate_(ui::DatePicker::today()) {
  setTitle("Store Events");
  auto back = std::make_shared<ui::BarButtonItem>("View Stores", [this] {
    if (auto* navigation = navigationController()) popToStoreList(*navigation);
  });
  back->imageName = "view_stores.png";
  navigationItem().rightBarButtonItem = back;
}

ui::TableView& StoreEventsViewController::tableView() {
  view();
  return *table_;
}

ui::Button& StoreEventsViewController::dateButton() {
  view();
  return *dateButton_;
}

std::shared_ptr<ui::View> StoreEventsViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  table_ = root->add<ui::TableView>(ui::TableViewStyle::Grouped);
  table_->dataSource = this;
  table_->delegate = this;
  dateRow_ = std::make_shared<ui::TableViewCell>();
  dateRow_->add<ui::Label>("I want to view events on ");
  dateButton_ = dateRow_->add<ui::Button>(eventButtonText(pickerDate_),
                                          [this](ui::Button&) { chooseDate(); });
  dateButton_->identifier = "eventDate";
  return root;
}

void StoreEventsViewController::viewWillAppear(bool) {
  gateway::TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(kPageId);
}

int StoreEventsViewController::numberOfRowsInSection(ui::TableView&, int section) {
  if (section == kDateSection) return 2;
  return kEventsCaptionRows + static_cast<int>(events_.size());
}

std::shared_ptr<ui::TableViewCell> StoreEventsViewController::cellForRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
  if (indexPath.section == kDateSection) {
    if (indexPath.row == 1) return dateRow_;
    auto caption = std::make_shared<ui::TableViewCell>();
    caption->textLabel().text = "Select a date for the events";
    return caption;
  }
  auto cell = std::make_shared<ui::TableViewCell>(ui::CellStyle::Subtitle);
  if (indexPath.row < kEventsCaptionRows) {
    cell->textLabel().text = "View Store Events:";
    cell->detailTextLabel().text = store_["storeName"].str();
    return cell;
  }
  const json::Value event = events_[static_cast<std::size_t>(indexPath.row - kEventsCaptionRows)];
  cell->textLabel().text = fmt::format("{}-{}", event["storeEventStartDate"].text(),
                                       event["storeEventFinishDate"].text());
  cell->detailTextLabel().text = event["storeEventName"].str();
  cell->accessoryType = ui::CellAccessory::DisclosureIndicator;
  return cell;
}

void StoreEventsViewController::didSelectRowAtIndexPath(ui::TableView& table,
                                                        ui::IndexPath indexPath) {
  table.deselectRowAtIndexPath(indexPath);
  if (indexPath.section == kDateSection || indexPath.row < kEventsCaptionRows) return;
  const auto eventIndex = static_cast<std::size_t>(indexPath.row - kEventsCaptionRows);
  auto details = std::make_shared<EventDetailsViewController>(
      storeIndex_, store_, static_cast<int>(eventIndex), events_[eventIndex]);
  if (auto* navigation = navigationController()) navigation->pushViewController(details, true);
}

void StoreEventsViewController::chooseDate() {
  auto picker = std::make_shared<ui::DatePicker>();
  picker->mode = ui::DatePickerMode::Date;
  picker->showsToolbar = true;
  picker->setDate(pickerDate_);
  std::weak_ptr<ViewController> weakSelf = weak_from_this();
  picker->cancel = [](ui::DatePicker&) { ui::Window::shared().dismissPicker(); };
  picker->done = [weakSelf](ui::DatePicker& chosen) {
    const auto date = chosen.date();
    ui::Window::shared().dismissPicker();
    if (auto self = std::static_pointer_cast<StoreEventsViewController>(weakSelf.lock())) {
      self->dateChosen(date);
    }
  };
  ui::Window::shared().presentPicker(picker);
}

void StoreEventsViewController::dateChosen(ui::DatePicker::TimePoint date) {
  gateway::guarded("-[StoreEventsViewController dateChosen:]", [&] {
    pickerDate_ = date;
    dateButton_->title = eventButtonText(date);
    overlay_.show();
    // The events of this store, named by its id (two stores may share a name).
    const std::string day = eventRequestText(date);
    platform::postTaskAndReply(
        platform::weakFrom(this),
        [storeId = store_["storeId"].str(), day] {
          return StoresRequests::getStoreEvents(storeId, day, day);
        },
        [](StoreEventsViewController& screen, RequestStatus status) {
          screen.eventsArrived(status);
        });
  });
}

void StoreEventsViewController::eventsArrived(RequestStatus status) {
  gateway::guarded("-[StoreEventsViewController stopAnimator]", [&] {
    overlay_.hide();
    if (status == RequestStatus::NotSent) return;
    if (status == RequestStatus::Failed) {
      showAlert(kSorryTitle, kNoAnswerMessage);
      return;
    }
    const json::Value answer = gateway::TarnObjects::sharedInstance().storeLocationEventsRecord();
    if (answer.contains("error")) {
      showAlert("", kNoEventsOnDate);
      return;
    }
    events_ = arrayOrEmpty(answer["data"]);
    table_->reloadData();
  });
}

}  // namespace kelda::stores
