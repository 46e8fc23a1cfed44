// SectionedTable: the base of the checkout screens that are one table built as a list of
// sections, each a list of rows (a made cell and what a tap on it does) with an optional footer
// view. Rebuilding replaces every row, so a screen redraws with reloadRows().
//
// Main thread only. Subclasses build their sections from the shared state in buildSections().
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/TableView.hpp"
#include "ui/TableViewCell.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/ViewController.hpp"

namespace kelda::bag {

struct TableRow {
  std::shared_ptr<ui::TableViewCell> cell;
  std::function<void()> tapped;  // empty: the row does nothing when tapped
};

struct TableSection {
  std::string title;
  std::vector<TableRow> rows;
  std::shared_ptr<ui::View> footer;
};

class SectionedTable : public ui::ViewController,
                       public ui::TableViewDataSource,
                       public ui::TableViewDelegate {
 public:
  ui::TableView& tableView();
  // Builds the sections again and reloads the table.
  void reloadRows();

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
  // The view above the table (a header of the screen); null for none.
  virtual std::shared_ptr<ui::View> headerView() { return nullptr; }

 private:
  const TableSection* section(int index) const;

  std::shared_ptr<ui::TableView> table_;
  std::vector<TableSection> sections_;
};

// A cell of plain texts, one label each, not selectable.
std::shared_ptr<ui::TableViewCell> textsCell(const std::vector<std::string>& texts);
// A "label | value" cell.
std::shared_ptr<ui::TableViewCell> valueCell(const std::string& label, const std::string& value);
// A footer view of buttons.
std::shared_ptr<ui::View> buttonFooter(
    const std::vector<std::pair<std::string, std::function<void()>>>& buttons);

}  // namespace kelda::bag
