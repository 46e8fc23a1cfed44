// StoreEventsViewController: a store's events ("Store Events"): "Select a date for the
// events", "I want to view events on " with a button showing the chosen date, "View Store
// Events:" with the store's name, then one row per event ("%@-%@" of its dates, and its name).
// Choosing a date on the date picker asks for that date's events of this store (by its id);
// tapping an event opens its details. The right-hand button returns to the store list.
//
// Made by the store details for each opening, with the store and the events of its answer.
// Main thread only.
#pragma once

#include <memory>

#include "gateway/RequestStatus.hpp"
#include "json/Value.hpp"
#include "support/BusyOverlayHandle.hpp"
#include "ui/Button.hpp"
#include "ui/DatePicker.hpp"
#include "ui/TableView.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/ViewController.hpp"

namespace kelda::stores {

class StoreEventsViewController : public ui::ViewController,
                                  public ui::TableViewDataSource,
                                  public ui::TableViewDelegate {
 public:
  static constexpr const char* kPageId = "mobile.event.details.locator";
  static constexpr const char* kNoEventsOnDate =
      "We couldn't find any events for that date. Please enter another date and try again.";

  // `events`: the "data" array of the events answer. The chosen date starts as today.
  StoreEventsViewController(int storeIndex, json::Value store, json::Value events);

  ui::DatePicker::TimePoint pickerDate() const { return pickerDate_; }
  const json::Value& events() const { return events_; }
  ui::TableView& tableView();
  ui::Button& dateButton();

  // The date button: slides up the date picker (Done asks for that date's events).
  void chooseDate();

  int numberOfSectionsInTableView(ui::TableView&) override { return 2; }
  int numberOfRowsInSection(ui::TableView&, int section) override;
  std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&,
                                                           ui::IndexPath indexPath) override;
  void didSelectRowAtIndexPath(ui::TableView&, ui::IndexPath indexPath) override;

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;

 private:
  void dateChosen(ui::DatePicker::TimePoint date);
  void eventsArrived(gateway::RequestStatus status);

  int storeIndex_;
  json::Value store_;
  json::Value events_;
  ui::DatePicker::TimePoint pickerDate_;
  std::shared_ptr<ui::TableView> table_;
  std::shared_ptr<ui::TableViewCell> dateRow_;
  std::shared_ptr<ui::Button> dateButton_;
  support::BusyOverlayHandle overlay_;
};

}  // namespace kelda::stores
