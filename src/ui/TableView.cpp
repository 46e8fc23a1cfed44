#include "ui/TableView.hpp"

#include <algorithm>

namespace kelda::ui {

void TableView::reloadData() {
  loaded_ = false;
  sections_.clear();
}

void TableView::deleteRowsAtIndexPaths(const std::vector<IndexPath>&) {
  reloadData();
}

void TableView::insertRowsAtIndexPaths(const std::vector<IndexPath>&) {
  reloadData();
}

void TableView::ensureLoaded() {
  if (loaded_) return;
  loaded_ = true;  // set first: a data source that asks the table back sees no recursion
  sections_.clear();
  if (dataSource == nullptr) return;
  int count = std::max(0, dataSource->numberOfSectionsInTableView(*this));
  sections_.resize(static_cast<std::size_t>(count));
  for (int s = 0; s < count; ++s) {
    Section& section = sections_[static_cast<std::size_t>(s)];
    section.rows = std::max(0, dataSource->numberOfRowsInSection(*this, s));
    section.headerTitle = dataSource->titleForHeaderInSection(*this, s);
    section.footerTitle = dataSource->titleForFooterInSection(*this, s);
    if (delegate != nullptr) {
      section.headerView = delegate->viewForHeaderInSection(*this, s);
      section.footerView = delegate->viewForFooterInSection(*this, s);
    }
    section.cells.resize(static_cast<std::size_t>(section.rows));
    section.cellLoaded.assign(static_cast<std::size_t>(section.rows), false);
  }
}

TableView::Section* TableView::section(int index) {
  ensureLoaded();
  if (index < 0 || index >= static_cast<int>(sections_.size())) return nullptr;
  return &sections_[static_cast<std::size_t>(index)];
}

int TableView::numberOfSections() {
  ensureLoaded();
  return static_cast<int>(sections_.size());
}

int TableView::numberOfRowsInSection(int index) {
  Section* s = section(index);
  return s == nullptr ? 0 : s->rows;
}

std::shared_ptr<TableViewCell> TableView::cellForRowAtIndexPath(IndexPath indexPath) {
  Section* s = section(indexPath.section);
  if (s == nullptr || indexPath.row < 0 || indexPath.row >= s->rows) return nullptr;
  auto row = static_cast<std::size_t>(indexPath.row);
  if (!s->cellLoaded[row]) {
    s->cellLoaded[row] = true;
    auto cell = dataSource->cellForRowAtIndexPath(*this, indexPath);
    // The data source may have reloaded the table meanwhile; look the section up again.
    s = section(indexPath.section);
    if (s == nullptr || row >= s->cells.size()) return cell;
    s->cells[row] = std::move(cell);
  }
  return s->cells[row];
}

std::string TableView::headerTitle(int index) {
  Section* s = section(index);
  return s == nullptr ? std::string() : s->headerTitle;
}

std::string TableView::footerTitle(int index) {
  Section* s = section(index);
  return s == nullptr ? std::string() : s->footerTitle;
}

std::shared_ptr<View> TableView::headerView(int index) {
  Section* s = section(index);
  return s == nullptr ? nullptr : s->headerView;
}

std::shared_ptr<View> TableView::footerView(int index) {
  Section* s = section(index);
  return s == nullptr ? nullptr : s->footerView;
}

bool TableView::tapRowAtIndexPath(IndexPath indexPath) {
  if (indexPath.row < 0 || indexPath.row >= numberOfRowsInSection(indexPath.section)) {
    return false;
  }
  selected_ = indexPath;
  if (delegate != nullptr) delegate->didSelectRowAtIndexPath(*this, indexPath);
  return true;
}

void TableView::selectRowAtIndexPath(IndexPath indexPath) {
  selected_ = indexPath;
}

void TableView::deselectRowAtIndexPath(IndexPath indexPath, bool) {
  if (selected_ == indexPath) selected_.reset();
}

void TableView::setEditing(bool editing, bool) {
  editing_ = editing;
}

EditingStyle TableView::editingStyleForRow(IndexPath indexPath) {
  if (!editing_ || dataSource == nullptr) return EditingStyle::None;
  if (indexPath.row < 0 || indexPath.row >= numberOfRowsInSection(indexPath.section)) {
    return EditingStyle::None;
  }
  if (!dataSource->canEditRowAtIndexPath(*this, indexPath)) return EditingStyle::None;
  return delegate != nullptr ? delegate->editingStyleForRowAtIndexPath(*this, indexPath)
                             : EditingStyle::Delete;
}

bool TableView::commitDelete(IndexPath indexPath) {
  if (editingStyleForRow(indexPath) != EditingStyle::Delete) return false;
  dataSource->commitEditingStyle(*this, EditingStyle::Delete, indexPath);
  return true;
}

}  // namespace kelda::ui
