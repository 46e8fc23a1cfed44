// StoreLocatorViewController: the store locator's menu ("Stores"), opened from the more tab:
// "view kelda's stores", "events at my kelda's" and "instore savings Pass", one section each.
// Each row opens the one store search form (made on first use and reused), the last in
// savings-pass mode.
//
// Open it with `std::make_shared<stores::StoreLocatorViewController>()` pushed on a navigation
// stack. Main thread only.
#pragma once

#include <memory>

#include "ui/TableView.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/ViewController.hpp"

namespace kelda::stores {

class SearchStoreViewController;

class StoreLocatorViewController : public ui::ViewController,
                                   public ui::TableViewDataSource,
                                   public ui::TableViewDelegate {
 public:
  static constexpr const char* kPageId = "mobile.store.landing.locator";

  StoreLocatorViewController();

  ui::TableView& tableView();
  std::shared_ptr<SearchStoreViewController> searchStoreViewController() const { return search_; }

  int numberOfSectionsInTableView(ui::TableView&) override { return 3; }
  int numberOfRowsInSection(ui::TableView&, int) override { return 1; }
  std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&,
                                                           ui::IndexPath indexPath) override;
  void didSelectRowAtIndexPath(ui::TableView&, ui::IndexPath indexPath) override;

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;

 private:
  std::shared_ptr<ui::TableView> table_;
  std::shared_ptr<SearchStoreViewController> search_;
};

}  // namespace kelda::stores
