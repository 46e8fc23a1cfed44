#include "product/RowTableController.hpp"

#include "gateway/ExceptionGuard.hpp"

namespace kelda::product {

ui::TableView& RowTableController::tableView() {
  view();
  return *table_;
}

std::shared_ptr<ui::View> RowTableController::loadView() {
  auto root = std::make_shared<ui::View>();
  table_ = root->add<ui::TableView>(ui::TableViewStyle::Grouped);
  table_->dataSource = this;
  table_->delegate = this;
  return root;
}

void RowTableController::reloadRows() {
  view();
  sections_ = buildSections();
  table_->reloadData();
}

const TableRow* RowTableController::rowAt(ui::IndexPath indexPath) const {
  if (indexPath.section < 0 || indexPath.section >= static_cast<int>(sections_.size())) {
    return nullptr;
  }
  const auto& rows = sections_[static_cast<std::size_t>(indexPath.section)].rows;
  if (indexPath.row < 0 || indexPath.row >= static_cast<int>(rows.size())) return nullptr;
  return &rows[static_cast<std::size_t>(indexPath.row)];
}

int RowTableController::numberOfSectionsInTableView(ui::TableView&) {
  return static_cast<int>(sections_.size());
}

int RowTableController::numberOfRowsInSection(ui::TableView&, int section) {
  if (section < 0 || section >= static_cast<int>(sections_.size())) return 0;
  return static_cast<int>(sections_[static_cast<std::size_t>(section)].rows.size());
}

std::shared_ptr<ui::TableViewCell> RowTableController::cellForRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
  const TableRow* row = rowAt(indexPath);
  return row != nullptr ? row->cell : nullptr;
}

std::string RowTableController::titleForHeaderInSection(ui::TableView&, int section) {
  if (section < 0 || section >= static_cast<int>(sections_.size())) return {};
  return sections_[static_cast<std::size_t>(section)].title;
}

std::shared_ptr<ui::View> RowTableController::viewForFooterInSection(ui::TableView&, int section) {
  if (section < 0 || section >= static_cast<int>(sections_.size())) return nullptr;
  return sections_[static_cast<std::size_t>(section)].footer;
}

void RowTableController::didSelectRowAtIndexPath(ui::TableView& tableView,
                                                 ui::IndexPath indexPath) {
  tableView.deselectRowAtIndexPath(indexPath, true);
  const TableRow* row = rowAt(indexPath);
  if (row == nullptr || !row->tapped) return;
  // The action may rebuild the rows: run a copy.
  std::function<void()> tapped = row->tapped;
  gateway::guarded("-[RowTableController tableView:didSelectRowAtIndexPath:]", tapped);
}

}  // namespace kelda::product
