// RowTableController: the base of the product screens that are one table: each screen builds
// its sections as a list of rows (a made cell and what a tap on it does), and the table shows
// them. Rebuilding replaces every row, so a screen redraws by calling reloadRows().
//
// Main thread only. Subclasses build their rows from the shared state in buildSections().
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/TableView.hpp"
#include "ui/TableViewCell.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/ViewController.hpp"

namespace kelda::product {

struct TableRow {
  std::shared_ptr<ui::TableViewCell> cell;
  std::function<void()> tapped;  // empty: the row does nothing when tapped
};

struct TableSection {
  std::string title;
  std::vector<TableRow> rows;
  std::shared_ptr<ui::View> footer;
};

class RowTableController : public ui::ViewController,
                           public ui::TableViewDataSource,
                           public ui::TableViewDelegate {
 public:
  ui::TableView& tableView();
  // Builds the rows again and reloads the table.
  void reloadRows();

  // TableViewDataSource / TableViewDelegate.
  int numberOfSectionsInTableView(ui::TableView&) override;
  int numberOfRowsInSection(ui::TableView&, int section) override;
  std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&,
                                                           ui::IndexPath indexPath) override;
  std::string titleForHeaderInSection(ui::TableView&, int section) override;
  bool canEditRowAtIndexPath(ui::TableView&, ui::IndexPath) override { return false; }
  void didSelectRowAtIndexPath(ui::TableView& tableView, ui::IndexPath indexPath) override;
  std::shared_ptr<ui::View> viewForFooterInSection(ui::TableView&, int section) override;
  ui::EditingStyle editingStyleForRowAtIndexPath(ui::TableView&, ui::IndexPath) override {
    return ui::EditingStyle::None;
  }

 protected:
  virtual std::vector<TableSection> buildSections() = 0;
  std::shared_ptr<ui::View> loadView() override;

 private:
  const TableRow* rowAt(ui::IndexPath indexPath) const;

  std::shared_ptr<ui::TableView> table_;
  std::vector<TableSection> sections_;
};

}  // namespace kelda::product
