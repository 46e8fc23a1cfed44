#include "ui/PickerView.hpp"

#include <algorithm>
#include <utility>

namespace kelda::ui {

PickerView::PickerView(std::vector<std::vector<std::string>> components) {
  setComponents(std::move(components));
}

void PickerView::reloadAllComponents() {
  if (dataSource == nullptr) return;
  std::vector<std::vector<std::string>> loaded;
  int count = std::max(0, dataSource->numberOfComponentsInPickerView(*this));
  for (int c = 0; c < count; ++c) {
    std::vector<std::string> rows;
    int n = std::max(0, dataSource->numberOfRowsInComponent(*this, c));
    for (int r = 0; r < n; ++r) rows.push_back(dataSource->titleForRow(*this, r, c));
    loaded.push_back(std::move(rows));
  }
  components_ = std::move(loaded);
  selected_.resize(components_.size(), 0);
  for (std::size_t c = 0; c < components_.size(); ++c) {
    int rows = static_cast<int>(components_[c].size());
    selected_[c] = std::clamp(selected_[c], 0, std::max(0, rows - 1));
  }
}

void PickerView::setComponents(std::vector<std::vector<std::string>> components) {
  components_ = std::move(components);
  selected_.assign(components_.size(), 0);
}

int PickerView::numberOfRowsInComponent(int component) const {
  if (component < 0 || component >= numberOfComponents()) return 0;
  return static_cast<int>(components_[static_cast<std::size_t>(component)].size());
}

std::string PickerView::titleForRow(int row, int component) const {
  if (row < 0 || row >= numberOfRowsInComponent(component)) return {};
  return components_[static_cast<std::size_t>(component)][static_cast<std::size_t>(row)];
}

int PickerView::selectedRowInComponent(int component) const {
  if (numberOfRowsInComponent(component) == 0) return -1;
  return selected_[static_cast<std::size_t>(component)];
}

bool PickerView::selectRow(int row, int component) {
  if (row < 0 || row >= numberOfRowsInComponent(component)) return false;
  selected_[static_cast<std::size_t>(component)] = row;
  return true;
}

bool PickerView::pickRow(int row, int component) {
  if (!selectRow(row, component)) return false;
  if (didSelectRow) didSelectRow(*this, row, component);
  return true;
}

bool PickerView::pressDone() {
  if (!showsToolbar) return false;
  auto keep = shared_from_this();  // Done usually dismisses the picker
  if (done) done(*this);
  return true;
}

bool PickerView::pressCancel() {
  if (!showsToolbar) return false;
  auto keep = shared_from_this();
  if (cancel) cancel(*this);
  return true;
}

}  // namespace kelda::ui
