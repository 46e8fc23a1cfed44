// StoreDetailsViewController: one store's details ("Kelda's Store"): the store with map
// search, directions and call, its opening hours ("%@ Store Hours", then one row per day) and
// an "Events" row, under the buttons "VIEW EVENTS" and "INSTORE SAVINGS PASS".
//
// Made once by the store list and given the store to show before each push. The events and
// the savings pass are asked for on workers; only this request's answer decides what opens.
// Main thread only.
#pragma once

#include <memory>

#include "gateway/RequestStatus.hpp"
#include "json/Value.hpp"
#include "support/BusyOverlayHandle.hpp"
#include "ui/TableView.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/ViewController.hpp"

namespace kelda::stores {

class StoreDetailsViewController : public ui::ViewController,
                                   public ui::TableViewDataSource,
                                   public ui::TableViewDelegate {
 public:
  static constexpr const char* kPageId = "mobile.event.results.locator";
  static constexpr const char* kNoEvents =
      "We couldn't find any events for this store. Please select another store and try again.";

  StoreDetailsViewController();

  // The store shown and its position in the store list.
  void setStore(int index, json::Value store);
  int storeIndex() const { return index_; }
  const json::Value& store() const { return store_; }
  ui::TableView& tableView();

  // "VIEW EVENTS" (and the "Events" row) and "INSTORE SAVINGS PASS".
  void viewEvents();
  void viewSavingsPass();

  int numberOfSectionsInTableView(ui::TableView&) override { return 3; }
  int numberOfRowsInSection(ui::TableView&, int section) override;
  std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&,
                                                           ui::IndexPath indexPath) override;
  void didSelectRowAtIndexPath(ui::TableView&, ui::IndexPath indexPath) override;

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewDidLoad() override;
  void viewWillAppear(bool animated) override;

 private:
  json::Value hours() const;
  void eventsArrived(gateway::RequestStatus status);
  void savingsPassArrived(gateway::RequestStatus status);

  std::shared_ptr<ui::TableView> table_;
  int index_ = 0;
  json::Value store_;
  support::BusyOverlayHandle overlay_;
};

}  // namespace kelda::stores
