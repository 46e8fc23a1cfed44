// StoreListsViewController: the stores of the last store search ("Kelda's Store"), one section
// per store in answer order: its name, address and telephone (with a call button), then its
// map, directions and call buttons. Tapping a store opens its details (made on first use and
// reused) and starts the store's events request without waiting for it.
//
// Made once by the store search and reused; each appearance reads the shared
// storeLocationsRecord again. Main thread only.
#pragma once

#include <memory>

#include "json/Value.hpp"
#include "ui/TableView.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/ViewController.hpp"

namespace kelda::stores {

class StoreDetailsViewController;

class StoreListsViewController : public ui::ViewController,
                                 public ui::TableViewDataSource,
                                 public ui::TableViewDelegate {
 public:
  static constexpr const char* kPageId = "mobile.store.results.locator";

  StoreListsViewController();

  ui::TableView& tableView();
  std::shared_ptr<StoreDetailsViewController> storeDetailsView() const { return details_; }

  int numberOfSectionsInTableView(ui::TableView&) override;
  int numberOfRowsInSection(ui::TableView&, int) override { return 2; }
  std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&,
                                                           ui::IndexPath indexPath) override;
  void didSelectRowAtIndexPath(ui::TableView&, ui::IndexPath indexPath) override;

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;

 private:
  json::Value storeAt(int index) const { return stores_[static_cast<std::size_t>(index)]; }

  std::shared_ptr<ui::TableView> table_;
  json::Value stores_;
  std::shared_ptr<StoreDetailsViewController> details_;
};

}  // namespace kelda::stores
