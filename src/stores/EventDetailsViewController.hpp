// EventDetailsViewController: one event of a store ("Event Details"): the store with map,
// directions and call, the event's dates ("%@ - %@"), its name and its description (each
// two-character "\n" shown as a line break). The right-hand button "view kelda's stores"
// returns to the store search.
//
// Made by the events screen for each opening. Main thread only.
#pragma once

#include <memory>
#include <string>

#include "json/Value.hpp"
#include "ui/TableView.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/ViewController.hpp"

namespace kelda::stores {

class EventDetailsViewController : public ui::ViewController,
                                   public ui::TableViewDataSource,
                                   public ui::TableViewDelegate {
 public:
  static constexpr const char* kPageId = "mobile.store.details.locator";

  EventDetailsViewController(int storeIndex, json::Value store, int eventIndex, json::Value event);

  ui::TableView& tableView();
  int storeIndex() const { return storeIndex_; }
  int eventIndex() const { return eventIndex_; }

  // The description as shown: each backslash followed by "n" becomes a line break.
  static std::string descriptionText(std::string_view description);

  int numberOfSectionsInTableView(ui::TableView&) override { return 2; }
  int numberOfRowsInSection(ui::TableView&, int section) override { return section == 0 ? 1 : 3; }
  std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&,
                                                           ui::IndexPath indexPath) override;

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;

 private:
  int storeIndex_;
  json::Value store_;
  int eventIndex_;
  json::Value event_;
  std::shared_ptr<ui::TableView> table_;
};

}  // namespace kelda::stores
