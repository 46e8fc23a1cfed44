#include "stores/SearchStoreViewController.hpp"

#include <utility>

#include "gateway/ExceptionGuard.hpp"
#include "gateway/FieldCharacters.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "platform/TaskAndReply.hpp"
#include "stores/LocationReport.hpp"
#include "stores/SavingsPassScreens.hpp"
#include "stores/StoreAlerts.hpp"
#include "stores/StoreFieldChecks.hpp"
#include "stores/StoreListsViewController.hpp"
#include "stores/StoresRequests.hpp"
#include "ui/Label.hpp"
#include "ui/NavigationController.hpp"
#include "ui/Window.hpp"

namespace kelda::stores {
namespace {

using gateway::RequestStatus;
using gateway::TarnObjects;

TarnObjects& state() {
  return TarnObjects::sharedInstance();
}

std::shared_ptr<ui::Button> addButton(ui::View& row, const char* title, const char* identifier,
                                      std::function<void()> action) {
  auto button = row.add<ui::Button>(title, [action = std::move(action)](ui::Button&) { action(); });
  button->identifier = identifier;
  return button;
}

}  // namespace

SearchStoreViewController::SearchStoreViewController() {
  setTitle("Stores");
}

ui::TextField& SearchStoreViewController::zipTextField() {
  view();
  return *zip_;
}

ui::TextField& SearchStoreViewController::cityTextField() {
  view();
  return *city_;
}

ui::Button& SearchStoreViewController::stateButton() {
  view();
  return *state_;
}

std::shared_ptr<ui::View> SearchStoreViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  table_ = root->add<ui::TableView>(ui::TableViewStyle::Grouped);
  table_->dataSource = this;
  table_->delegate = this;
  buildRows();
  return root;
}

void SearchStoreViewController::buildRows() {
  auto zipRow = std::make_shared<ui::TableViewCell>();
  zip_ = zipRow->add<ui::TextField>();
  zip_->identifier = "zip";
  zip_->keyboardType = ui::KeyboardType::NumberPad;
  addButton(*zipRow, "Go", "goZip", [this] { zipSearch(); });

  auto cityRow = std::make_shared<ui::TableViewCell>();
  city_ = cityRow->add<ui::TextField>();
  city_->identifier = "city";
  city_->shouldChangeText = [](ui::TextField&, const std::string& text) {
    return gateway::utf16Length(text) <= kCityCharacters;
  };
  state_ = addButton(*cityRow, StatePicker::kSelectState, "state", [this] { chooseState(); });
  addButton(*cityRow, "Go", "goCity", [this] { citySearch(); });

  auto locateRow = std::make_shared<ui::TableViewCell>();
  locateRow->textLabel().text = "LOCATE NEARBY STORE";
  addButton(*locateRow, "Locate", "locate", [this] { locateNearbyStores(); });
  rows_ = {zipRow, cityRow, locateRow};
}

void SearchStoreViewController::viewWillAppear(bool) {
  gateway::TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(kPageId);
  zip_->text.clear();
  city_->text.clear();
  zip_->placeholder = "Enter Zip Code";
  city_->placeholder = "Enter City";
  states_.reset();
  showStateTitle();
}

std::shared_ptr<ui::TableViewCell> SearchStoreViewController::cellForRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
  return rows_.at(static_cast<std::size_t>(indexPath.row));
}

void SearchStoreViewController::didSelectRowAtIndexPath(ui::TableView& table,
                                                        ui::IndexPath indexPath) {
  table.deselectRowAtIndexPath(indexPath);
  if (indexPath.row == 2) locateNearbyStores();
}

void SearchStoreViewController::showStateTitle() {
  state_->title = StatePicker::buttonTitle(states_.stateTitle());
}

void SearchStoreViewController::chooseState() {
  states_.present([this] { showStateTitle(); });
}

void SearchStoreViewController::zipSearch() {
  gateway::guarded("-[SearchStoreViewController zipSearch:]", [&] {
    const std::string zip = zip_->text;
    if (auto problem = storeSearchZipProblem(zip)) {
      showAlert(kSorryTitle, *problem);
      return;
    }
    if (flagValue) {
      startSearch(true, [zip] { return StoresRequests::locateStoresByZip1(zip); });
    } else {
      startSearch(false, [zip] { return StoresRequests::locateStoresByZip(zip); });
    }
  });
}

void SearchStoreViewController::citySearch() {
  gateway::guarded("-[SearchStoreViewController citySearch:]", [&] {
    const std::string city = city_->text;
    const std::string stateName = states_.stateTitle();
    if (auto problem = storeSearchCityProblem(city, states_.hasState())) {
      showAlert(kSorryTitle, *problem);
      return;
    }
    if (flagValue) {
      startSearch(
          true, [city, stateName] { return StoresRequests::locateStoresByCity1(city, stateName); });
    } else {
      startSearch(
          false, [city, stateName] { return StoresRequests::locateStoresByCity(city, stateName); });
    }
  });
}

void SearchStoreViewController::startSearch(bool savingsPass,
                                            std::function<gateway::RequestStatus()> request) {
  ui::Window::shared().endEditing();
  overlay_.show();
  if (savingsPass) {
    platform::postTaskAndReply(platform::weakFrom(this), std::move(request),
                               [](SearchStoreViewController& screen, RequestStatus status) {
                                 screen.loadSavingPass(status);
                               });
  } else {
    platform::postTaskAndReply(platform::weakFrom(this), std::move(request),
                               [](SearchStoreViewController& screen, RequestStatus status) {
                                 screen.storeSearchEnded(status);
                               });
  }
}

void SearchStoreViewController::locateNearbyStores() {
  gateway::guarded("-[SearchStoreViewController locateNearbyStores:]", [&] {
    ui::Window::shared().endEditing();
    auto& controller = MyCLController::sharedInstance();
    controller.delegate = std::static_pointer_cast<SearchStoreViewController>(shared_from_this());
    overlay_.show();
    controller.startUpdatingLocation();
  });
}

void SearchStoreViewController::newLocationUpdate(const std::string& text) {
  gateway::guarded("-[SearchStoreViewController newLocationUpdate:]", [&] {
    const auto position = positionOfReport(text);
    if (!position) {
      // No position: the wait ends and the shopper is told why.
      endLocationWait();
      showAlert(kSorryTitle, reportMessage(text));
      return;
    }
    latitude_ = position->latitude;
    longitude_ = position->longitude;
    state().set_latitude(latitude_);
    state().set_longitude(longitude_);
    MyCLController::sharedInstance().stopUpdatingLocation();
    platform::postTaskAndReply(
        platform::weakFrom(this),
        [latitude = latitude_, longitude = longitude_] {
          return StoresRequests::locateStoresByLocation(latitude, longitude);
        },
        [](SearchStoreViewController& screen, RequestStatus status) {
          screen.storeSearchEnded(status);
        });
  });
}

void SearchStoreViewController::endLocationWait() {
  overlay_.hide();
  auto& controller = MyCLController::sharedInstance();
  if (controller.delegate.lock().get() == this) controller.delegate.reset();
}

void SearchStoreViewController::storeSearchEnded(RequestStatus status) {
  gateway::guarded("-[SearchStoreViewController stopAnimator]", [&] {
    endLocationWait();
    if (status == RequestStatus::NotSent) return;  // the connection alert has been shown
    if (status == RequestStatus::Failed) {
      showAlert(kSorryTitle, kNoAnswerMessage);
      return;
    }
    const json::Value record = state().storeLocationsRecord();
    if (record.contains("error")) {
      showAlert(kNoStoresTitle, record["errorMsg"].str());
      return;
    }
    if (!storeLists_) storeLists_ = std::make_shared<StoreListsViewController>();
    if (auto* navigation = navigationController())
      navigation->pushViewController(storeLists_, true);
  });
}

void SearchStoreViewController::loadSavingPass(RequestStatus status) {
  gateway::guarded("-[SearchStoreViewController loadSavingPass]", [&] {
    endLocationWait();
    if (status == RequestStatus::NotSent) return;
    if (status == RequestStatus::Failed) {
      showAlert(kSorryTitle, kNoAnswerMessage);
      return;
    }
    auto screen = savingsPassScreenFor(state().inStoreSavingPassResultsDictionary());
    if (auto* navigation = navigationController()) navigation->pushViewController(screen, true);
  });
}

}  // namespace kelda::stores
