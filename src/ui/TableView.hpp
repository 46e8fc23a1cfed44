// TableView: sections of rows produced by a data source, with a delegate for selection, header
// and footer views and edit mode. The headless table shows every row (there is no scrolling):
// it asks its data source for counts, titles and cells the first time it is shown after
// reloadData() and keeps them until the next reloadData(), as a table keeps its visible cells.
//
// The data source and delegate are not owned (usually the screen that owns the table).
// Main thread only.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/IndexPath.hpp"
#include "ui/TableViewCell.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/View.hpp"

namespace kelda::ui {

enum class TableViewStyle { Plain, Grouped };

class TableView : public View {
 public:
  explicit TableView(TableViewStyle style = TableViewStyle::Plain) : style(style) {}
  ViewKind kind() const override { return ViewKind::Table; }

  // Forgets every kept cell, count and header; they are asked for again when next needed.
  void reloadData();
  // Same effect as reloadData() (the rows are asked for again).
  void deleteRowsAtIndexPaths(const std::vector<IndexPath>& indexPaths);
  void insertRowsAtIndexPaths(const std::vector<IndexPath>& indexPaths);

  // Counts and parts as the table currently shows them (loaded from the data source if needed).
  int numberOfSections();
  int numberOfRowsInSection(int section);
  // The row's cell, null outside the table or when the data source gave none.
  std::shared_ptr<TableViewCell> cellForRowAtIndexPath(IndexPath indexPath);
  std::string headerTitle(int section);
  std::string footerTitle(int section);
  std::shared_ptr<View> headerView(int section);
  std::shared_ptr<View> footerView(int section);

  // Selection as a tap makes it: marks the row and calls didSelectRowAtIndexPath. False when
  // the row does not exist.
  bool tapRowAtIndexPath(IndexPath indexPath);
  void selectRowAtIndexPath(IndexPath indexPath);
  void deselectRowAtIndexPath(IndexPath indexPath, bool animated = false);
  std::optional<IndexPath> indexPathForSelectedRow() const { return selected_; }

  // Edit mode: rows whose editing style is Delete (and that can be edited) offer deletion.
  void setEditing(bool editing, bool animated = false);
  bool isEditing() const { return editing_; }
  // Editing style of a row as the table shows it (None outside edit mode).
  EditingStyle editingStyleForRow(IndexPath indexPath);
  // The person's delete of a row in edit mode: commitEditingStyle(Delete). False when the row
  // offers no deletion.
  bool commitDelete(IndexPath indexPath);

  void scrollToRowAtIndexPath(IndexPath indexPath) { scrolledTo = indexPath; }

  TableViewStyle style;
  TableViewDataSource* dataSource = nullptr;
  TableViewDelegate* delegate = nullptr;
  std::shared_ptr<View> tableHeaderView;
  std::shared_ptr<View> tableFooterView;
  std::optional<IndexPath> scrolledTo;

 private:
  struct Section {
    int rows = 0;
    std::string headerTitle;
    std::string footerTitle;
    std::shared_ptr<View> headerView;
    std::shared_ptr<View> footerView;
    std::vector<std::shared_ptr<TableViewCell>> cells;
    std::vector<bool> cellLoaded;
  };
  void ensureLoaded();
  Section* section(int index);

  std::vector<Section> sections_;
  bool loaded_ = false;
  bool editing_ = false;
  std::optional<IndexPath> selected_;
};

}  // namespace kelda::ui
