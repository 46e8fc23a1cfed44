#include "stores/FindInStoreViewController.hpp"

#include <utility>

#include "gateway/ExceptionGuard.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "platform/TaskAndReply.hpp"
#include "stores/FindInStoreCell.hpp"
#include "stores/FindInStoreRequests.hpp"
#include "stores/LocationReport.hpp"
#include "stores/MapViewController.hpp"
#include "stores/StoreAlerts.hpp"
#include "stores/StoreFieldChecks.hpp"
#include "stores/StoreLinks.hpp"
#include "stores/StoreRecord.hpp"
#include "ui/ImageView.hpp"
#include "ui/Label.hpp"
#include "ui/NavigationController.hpp"
#include "ui/Window.hpp"

namespace kelda::stores {
namespace {

using gateway::RequestStatus;
using gateway::TarnObjects;

constexpr int kItemSection = 0;

std::shared_ptr<ui::Button> addButton(ui::View& row, const char* title, const char* identifier,
                                      std::function<void()> action) {
  auto button = row.add<ui::Button>(title, [action = std::move(action)](ui::Button&) { action(); });
  button->identifier = identifier;
  return button;
}

// A chosen colour or size: not empty and not the picker's "Select ..." prompt.
bool chosen(const json::Value& value, std::string_view prompt) {
  return !value.text().empty() && value.text() != prompt;
}

}  // namespace

FindInStoreViewController::FindInStoreViewController(json::Value record)
    : record_(std::move(record)) {
  setTitle("Find In Store");
}

std::shared_ptr<FindInStoreViewController> FindInStoreViewController::create(json::Value record) {
  return std::make_shared<FindInStoreViewController>(std::move(record));
}

ui::TableView& FindInStoreViewController::tableView() {
  view();
  return *table_;
}

ui::TextField& FindInStoreViewController::zipTextField() {
  view();
  return *zip_;
}

ui::TextField& FindInStoreViewController::cityTextField() {
  view();
  return *city_;
}

ui::Button& FindInStoreViewController::stateButton() {
  view();
  return *state_;
}

std::shared_ptr<ui::View> FindInStoreViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  table_ = root->add<ui::TableView>(ui::TableViewStyle::Grouped);
  table_->dataSource = this;
  table_->delegate = this;
  buildItemRow();
  buildFormRows();
  returnFooter_ = std::make_shared<ui::View>();
  addButton(*returnFooter_, "Return", "return", [this] { returnView(); });
  return root;
}

void FindInStoreViewController::buildItemRow() {
  itemRow_ = std::make_shared<ui::TableViewCell>();
  auto picture = itemRow_->add<ui::ImageView>();
  if (record_["Image Data"].isString()) picture->setImageData(record_["Image Data"].str());
  itemRow_->add<ui::Label>(record_["Title"].str(), ui::TextStyle::Bold);
  itemRow_->add<ui::Label>("$" + record_["Price"].str());
  if (chosen(record_["Color"], "Select Color")) {
    itemRow_->add<ui::Label>("Color: " + record_["Color"].str());
  }
  if (chosen(record_["Size"], "Select Size")) {
    itemRow_->add<ui::Label>("Size: " + record_["Size"].str());
  }
  itemRow_->selectionStyle = ui::CellSelectionStyle::None;
}

void FindInStoreViewController::buildFormRows() {
  auto zipRow = std::make_shared<ui::TableViewCell>();
  zip_ = zipRow->add<ui::TextField>("Enter Zip Code");
  zip_->identifier = "zip";
  zip_->keyboardType = ui::KeyboardType::NumberPad;
  addButton(*zipRow, "Go", "goZip", [this] { goAction1(); });

  auto cityRow = std::make_shared<ui::TableViewCell>();
  city_ = cityRow->add<ui::TextField>("Enter City");
  city_->identifier = "city";
  state_ = addButton(*cityRow, StatePicker::kSelectState, "state", [this] { chooseState(); });
  addButton(*cityRow, "Go", "goCity", [this] { goAction2(); });

  auto locateRow = std::make_shared<ui::TableViewCell>();
  locateRow->textLabel().text = "LOCATE NEARBY STORE";
  addButton(*locateRow, "Locate", "locate", [this] { goAction3(); });
  formRows_ = {zipRow, cityRow, locateRow};
}

void FindInStoreViewController::viewWillAppear(bool) {
  gateway::TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(
      pageFlag_ == kSearchForm ? kFormPageId : kResultsPageId);
}

void FindInStoreViewController::showPage(int pageFlag) {
  pageFlag_ = pageFlag;
  table_->tableFooterView = pageFlag == kResults ? returnFooter_ : nullptr;
  table_->reloadData();
  table_->scrollToRowAtIndexPath({0, 0});
  gateway::TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(
      pageFlag == kSearchForm ? kFormPageId : kResultsPageId);
}

int FindInStoreViewController::numberOfSectionsInTableView(ui::TableView&) {
  if (pageFlag_ == kSearchForm) return 2;
  return 1 + static_cast<int>(stores_.size());
}

int FindInStoreViewController::numberOfRowsInSection(ui::TableView&, int section) {
  if (section == kItemSection) return 1;
  return pageFlag_ == kSearchForm ? static_cast<int>(formRows_.size()) : 1;
}

std::shared_ptr<ui::TableViewCell> FindInStoreViewController::cellForRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
  if (indexPath.section == kItemSection) return itemRow_;
  if (pageFlag_ == kSearchForm) return formRows_.at(static_cast<std::size_t>(indexPath.row));
  return storeCell(stores_[static_cast<std::size_t>(indexPath.section - 1)]);
}

std::shared_ptr<ui::TableViewCell> FindInStoreViewController::storeCell(const json::Value& store) {
  std::weak_ptr<ViewController> weakSelf = weak_from_this();
  StoreRowActions actions;
  actions.call = [store] { openCall(dialNumber(store)); };
  actions.directions = [store] { openDirections(storeAddressText(store)); };
  actions.map = [store, weakSelf] {
    auto self = weakSelf.lock();
    if (!self || !self->navigationController()) return;
    self->navigationController()->pushViewController(
        MapViewController::forStore(store, storeOwnCoordinate(store)), true);
  };
  return std::make_shared<FindInStoreCell>(store, actions);
}

void FindInStoreViewController::didSelectRowAtIndexPath(ui::TableView& table,
                                                        ui::IndexPath indexPath) {
  table.deselectRowAtIndexPath(indexPath);
  if (pageFlag_ == kSearchForm && indexPath.section == 1 && indexPath.row == 2) goAction3();
}

void FindInStoreViewController::chooseState() {
  states_.present([this] { state_->title = StatePicker::buttonTitle(states_.stateTitle()); });
}

void FindInStoreViewController::goAction1() {
  gateway::guarded("-[FindInStore goAction1:]", [&] {
    const std::string zip = zip_->text;
    if (auto problem = findInStoreZipProblem(zip)) {
      showAlert(kSorryTitle, *problem);
      return;
    }
    search([zip, upc = record_["upcNumber"].str()] {
      return FindInStoreRequests::locateFindInStoresByZip(zip, upc);
    });
  });
}

void FindInStoreViewController::goAction2() {
  gateway::guarded("-[FindInStore goAction2:]", [&] {
    const std::string city = city_->text;
    if (auto problem = findInStoreCityProblem(city, states_.hasState())) {
      showAlert(kSorryTitle, *problem);
      return;
    }
    search([city, stateName = states_.stateTitle(), upc = record_["upcNumber"].str()] {
      return FindInStoreRequests::locateFindInStoresByCity(city, stateName, upc);
    });
  });
}

void FindInStoreViewController::goAction3() {
  gateway::guarded("-[FindInStore goAction3:]", [&] {
    ui::Window::shared().endEditing();
    auto& controller = MyCLController::sharedInstance();
    controller.delegate = std::static_pointer_cast<FindInStoreViewController>(shared_from_this());
    overlay_.show();
    controller.startUpdatingLocation();
  });
}

void FindInStoreViewController::newLocationUpdate(const std::string& text) {
  gateway::guarded("-[FindInStore newLocationUpdate:]", [&] {
    const auto position = positionOfReport(text);
    if (!position) {
      endLocationWait();
      showAlert(kSorryTitle, reportMessage(text));
      return;
    }
    TarnObjects::sharedInstance().set_latitude(position->latitude);
    TarnObjects::sharedInstance().set_longitude(position->longitude);
    search([position = *position, upc = record_["upcNumber"].str()] {
      return FindInStoreRequests::locateFindInStoresByLocation(position.latitude,
                                                               position.longitude, upc);
    });
  });
}

void FindInStoreViewController::search(std::function<RequestStatus()> request) {
  ui::Window::shared().endEditing();
  overlay_.show();
  platform::postTaskAndReply(
      platform::weakFrom(this), std::move(request),
      [](FindInStoreViewController& screen, RequestStatus status) { screen.searchEnded(status); });
}

void FindInStoreViewController::endLocationWait() {
  overlay_.hide();
  auto& controller = MyCLController::sharedInstance();
  if (controller.delegate.lock().get() == this) controller.delegate.reset();
}

void FindInStoreViewController::searchEnded(RequestStatus status) {
  gateway::guarded("-[FindInStore stopAnimator]", [&] {
    endLocationWait();
    // Without an answer of its own the screen stays as it was: no earlier availability is
    // ever shown as this search's.
    if (status == RequestStatus::NotSent) return;
    if (status == RequestStatus::Failed) {
      showAlert(kSorryTitle, kNoAnswerMessage);
      return;
    }
    const json::Value answer = TarnObjects::sharedInstance().findInStoreDictionary();
    if (answer.contains("error") || answer.contains("errorMsg")) {
      showAlert(kNoStoreTitle, kNoStoreMessage);
      return;
    }
    const json::Value stores = answer["data"];
    stores_ = stores.isArray() ? stores : json::Value::array();
    showPage(kResults);
  });
}

void FindInStoreViewController::returnView() {
  stores_ = json::Value::array();
  showPage(kSearchForm);
}

}  // namespace kelda::stores
