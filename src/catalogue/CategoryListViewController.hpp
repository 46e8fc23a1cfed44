// CategoryListViewController: a table of categories, one row each with the category's name and a
// disclosure mark; a tap hands the category to the screen that derives from it. The base of the
// sales screens (SalesViewController, SalesDetailViewController) and of the landing-page screens
// (CtrViewController, CtrDetailViewController).
//
// Main thread only.
#pragma once

#include <memory>
#include <string>

#include "json/Value.hpp"
#include "support/BusyOverlayHandle.hpp"
#include "ui/TableView.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/ViewController.hpp"

namespace kelda::catalogue {

class CategoryListViewController : public ui::ViewController,
                                   public ui::TableViewDataSource,
                                   public ui::TableViewDelegate {
 public:
  ui::TableView& tableView();

  // TableViewDataSource / TableViewDelegate.
  int numberOfRowsInSection(ui::TableView&, int section) override;
  std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&,
                                                           ui::IndexPath indexPath) override;
  void didSelectRowAtIndexPath(ui::TableView&, ui::IndexPath indexPath) override;

 protected:
  // Rows show each category's `nameKey` (in bold when `bold`); a non-empty `backTitle` puts a
  // button of that title in place of the back button.
  CategoryListViewController(std::string nameKey, bool bold, std::string backTitle = {});

  // The categories listed (an array of dictionaries; anything else lists nothing).
  virtual json::Value categories() const = 0;
  // A row was tapped (inside the exception guard).
  virtual void categoryTapped(const json::Value& category) = 0;
  virtual std::string reuseIdentifier(ui::IndexPath) const { return {}; }

  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;

  support::BusyOverlayHandle overlay_;

 private:
  std::string nameKey_;
  bool bold_;
  std::string backTitle_;
  std::shared_ptr<ui::TableView> table_;
};

}  // namespace kelda::catalogue
