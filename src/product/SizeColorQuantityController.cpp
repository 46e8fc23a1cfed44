#include "product/SizeColorQuantityController.hpp"

#include "gateway/TarnObjects.hpp"
#include "ui/NavigationController.hpp"

namespace kelda::product {

void SizeColorQuantityController::openFor(ChoiceMode mode, std::vector<std::string> values) {
  mode_ = mode;
  values_ = std::move(values);
  isSelected_ = false;
  setTitle(placeholderFor(mode));
}

std::optional<int> SizeColorQuantityController::lastIndexPath(ChoiceMode mode) const {
  switch (mode) {
    case ChoiceMode::Size:
      return lastSizeIndexPath_;
    case ChoiceMode::Color:
      return lastColorIndexPath_;
    case ChoiceMode::Type:
      return lastTypeIndexPath_;
    case ChoiceMode::Quantity:
      break;
  }
  return lastQtyIndexPath_;
}

void SizeColorQuantityController::viewWillAppear(bool) {
  reloadRows();
}

std::vector<TableSection> SizeColorQuantityController::buildSections() {
  TableSection section;
  const std::optional<int> checked = lastIndexPath(mode_);
  for (int row = 0; row < static_cast<int>(values_.size()); ++row) {
    auto cell = std::make_shared<ui::TableViewCell>();
    cell->textLabel().text = values_[static_cast<std::size_t>(row)];
    if (checked == row) cell->accessoryType = ui::CellAccessory::Checkmark;
    section.rows.push_back({cell, [this, row] { choose(row); }});
  }
  return {section};
}

void SizeColorQuantityController::choose(int row) {
  auto& state = gateway::TarnObjects::sharedInstance();
  const json::Value value(values_[static_cast<std::size_t>(row)]);
  switch (mode_) {
    case ChoiceMode::Size:
      lastSizeIndexPath_ = row;
      state.setPdpSelectedSize(value);
      break;
    case ChoiceMode::Color:
      lastColorIndexPath_ = row;
      state.setPdpSelectedColor(value);
      break;
    case ChoiceMode::Type:
      lastTypeIndexPath_ = row;
      state.setPdpSelectedType(value);
      break;
    case ChoiceMode::Quantity:
      lastQtyIndexPath_ = row;
      state.setPdpSelectedQty(value);
      break;
  }
  isSelected_ = true;
  reloadRows();
  if (didChoose) didChoose(mode_);
  if (auto* navigation = navigationController()) navigation->popViewControllerAnimated(true);
}

}  // namespace kelda::product
