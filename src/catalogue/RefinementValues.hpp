// RefinementValues: the values of one refinement (the shared refinementArray), the chosen one
// marked. A tap chooses a value: it is posted to the refinement screen as
// "NotificationIsRefineSearchUpdated" with {name: value}, shown on the refinement row, and the
// screen goes back. A tap on the marked value un-chooses it ({name: null}). "Another Brand" and
// "Another Price" send the browse list's id of the chosen label under "BRAND" or "PRICE".
//
// Created once by the refinement screen, which sets `key` and `key1` before pushing it. Main
// thread only.
#pragma once

#include <memory>
#include <string>

#include "ui/TableView.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/ViewController.hpp"

namespace kelda::catalogue {

class RefinementValues : public ui::ViewController,
                         public ui::TableViewDataSource,
                         public ui::TableViewDelegate {
 public:
  static constexpr const char* kAnotherBrand = "ANOTHER_BRAND";
  static constexpr const char* kAnotherPrice = "ANOTHER_PRICE";

  // The refinement name the values are sent under (or one of the two keys above), and the name
  // of the refinement row that opened the list.
  std::string key;
  std::string key1;

  ui::TableView& tableView();

  // TableViewDataSource / TableViewDelegate.
  int numberOfRowsInSection(ui::TableView&, int section) override;
  std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&,
                                                           ui::IndexPath indexPath) override;
  void didSelectRowAtIndexPath(ui::TableView&, ui::IndexPath indexPath) override;

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;

 private:
  std::shared_ptr<ui::TableView> table_;
};

}  // namespace kelda::catalogue
