// PickerView: picker wheels (components), each a list of row titles with one selected row, and
// an optional toolbar with Done and Cancel. Rows come from a data source in the shape of the
// phone toolkit's picker protocol (loaded by reloadAllComponents) or are set directly.
// A picker lives on a screen or is presented in the window (Window::presentPicker).
// Main thread only.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/View.hpp"

namespace kelda::ui {

class PickerView;

class PickerViewDataSource {
 public:
  virtual ~PickerViewDataSource() = default;
  virtual int numberOfComponentsInPickerView(PickerView&) { return 1; }
  virtual int numberOfRowsInComponent(PickerView& picker, int component) = 0;
  virtual std::string titleForRow(PickerView& picker, int row, int component) = 0;
};

class PickerView : public View {
 public:
  using Callback = std::function<void(PickerView&)>;

  PickerView() = default;
  explicit PickerView(std::vector<std::vector<std::string>> components);
  ViewKind kind() const override { return ViewKind::Picker; }

  // Reads every component's rows from the data source (when set); keeps selections in range.
  void reloadAllComponents();
  // Replaces the rows (selections reset to row 0).
  void setComponents(std::vector<std::vector<std::string>> components);
  const std::vector<std::vector<std::string>>& components() const { return components_; }
  int numberOfComponents() const { return static_cast<int>(components_.size()); }
  int numberOfRowsInComponent(int component) const;
  // Title of a row, empty outside the picker.
  std::string titleForRow(int row, int component) const;

  // -1 when the component has no rows or does not exist.
  int selectedRowInComponent(int component) const;
  // Moves the wheel without calling didSelectRow (as the program does). False out of range.
  bool selectRow(int row, int component);
  // What a person's turn of a wheel does: selectRow, then didSelectRow.
  bool pickRow(int row, int component);

  // Toolbar buttons (shown when showsToolbar). Each returns false when there is no toolbar.
  bool pressDone();
  bool pressCancel();

  PickerViewDataSource* dataSource = nullptr;
  bool showsToolbar = false;
  std::function<void(PickerView&, int row, int component)> didSelectRow;
  Callback done;
  Callback cancel;

 private:
  std::vector<std::vector<std::string>> components_;
  std::vector<int> selected_;
};

}  // namespace kelda::ui
