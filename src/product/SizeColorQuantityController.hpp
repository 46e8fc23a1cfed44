// SizeColorQuantityController: the picker a selection row of a product page opens: titled
// "Select Size", "Select Color", "Select Type" or "Select Quantity", one row per offered value,
// the row chosen last time in that mode with a check mark. A tap moves the check mark,
// remembers the row, stores the value as the shared pdpSelectedSize (Color, Type, Qty), tells
// the product page and goes back.
//
// Made once by PDPViewsController and reused for every mode while the product page lives (so
// the remembered rows belong to that product). Main thread only.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "product/ProductChoice.hpp"
#include "product/RowTableController.hpp"

namespace kelda::product {

class SizeColorQuantityController : public RowTableController {
 public:
  // Runs after a value was chosen (and stored in the shared state), before going back.
  std::function<void(ChoiceMode mode)> didChoose;

  // Prepares the picker for `mode` with the offered `values` (exactly one mode at a time).
  void openFor(ChoiceMode mode, std::vector<std::string> values);

  bool willSelectSize() const { return mode_ == ChoiceMode::Size; }
  bool willSelectColor() const { return mode_ == ChoiceMode::Color; }
  bool willSelectType() const { return mode_ == ChoiceMode::Type; }
  bool willSelectQuantity() const { return mode_ == ChoiceMode::Quantity; }
  // Whether a value was chosen since the picker was last opened.
  bool isSelected() const { return isSelected_; }
  // The remembered row of a mode.
  std::optional<int> lastIndexPath(ChoiceMode mode) const;

 protected:
  void viewWillAppear(bool animated) override;
  std::vector<TableSection> buildSections() override;

 private:
  void choose(int row);

  ChoiceMode mode_ = ChoiceMode::Size;
  std::vector<std::string> values_;
  bool isSelected_ = false;
  std::optional<int> lastSizeIndexPath_;
  std::optional<int> lastColorIndexPath_;
  std::optional<int> lastTypeIndexPath_;
  std::optional<int> lastQtyIndexPath_;
};

}  // namespace kelda::product
