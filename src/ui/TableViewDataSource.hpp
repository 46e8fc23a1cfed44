// TableViewDataSource and TableViewDelegate: the two roles a screen plays for its table, in the
// shape of the phone toolkit's protocols. A screen usually derives from both and sets itself as
// the table's data source and delegate. Every callback runs on the main thread.
#pragma once

#include <memory>
#include <string>

#include "ui/IndexPath.hpp"

namespace kelda::ui {

class TableView;
class TableViewCell;
class View;

enum class EditingStyle { None, Delete, Insert };

class TableViewDataSource {
 public:
  virtual ~TableViewDataSource() = default;
  virtual int numberOfSectionsInTableView(TableView&) { return 1; }
  virtual int numberOfRowsInSection(TableView& tableView, int section) = 0;
  // A new (or kept) cell for the row; null shows an empty row.
  virtual std::shared_ptr<TableViewCell> cellForRowAtIndexPath(TableView& tableView,
                                                               IndexPath indexPath) = 0;
  virtual std::string titleForHeaderInSection(TableView&, int) { return {}; }
  virtual std::string titleForFooterInSection(TableView&, int) { return {}; }
  virtual bool canEditRowAtIndexPath(TableView&, IndexPath) { return true; }
  // Edit mode: the person confirmed deleting (or inserting) the row.
  virtual void commitEditingStyle(TableView&, EditingStyle, IndexPath) {}
};

class TableViewDelegate {
 public:
  virtual ~TableViewDelegate() = default;
  virtual void didSelectRowAtIndexPath(TableView&, IndexPath) {}
  virtual void accessoryButtonTappedForRowWithIndexPath(TableView&, IndexPath) {}
  // Header and footer views (with buttons); they take the place of the section's titles.
  virtual std::shared_ptr<View> viewForHeaderInSection(TableView&, int) { return nullptr; }
  virtual std::shared_ptr<View> viewForFooterInSection(TableView&, int) { return nullptr; }
  virtual EditingStyle editingStyleForRowAtIndexPath(TableView&, IndexPath) {
    return EditingStyle::Delete;
  }
};

}  // namespace kelda::ui
