// TableViewCell: one row of a table. It shows a main text, an optional detail text and picture
// (the standard parts), then the typed elements added to it (labels, images, rating stars,
// buttons, text fields, switches, check boxes, radio buttons) in order, and an accessory.
// Cells are made by the table's data source and kept by the table until the next reloadData.
// Main thread only.
#pragma once

#include <memory>
#include <string>

#include "ui/ImageView.hpp"
#include "ui/Label.hpp"
#include "ui/View.hpp"

namespace kelda::ui {

enum class CellStyle { Default, Value1, Value2, Subtitle };
enum class CellAccessory { None, DisclosureIndicator, DetailDisclosureButton, Checkmark };
enum class CellSelectionStyle { Blue, Gray, None };

class TableViewCell : public View {
 public:
  explicit TableViewCell(CellStyle style = CellStyle::Default, std::string reuseIdentifier = {});
  ViewKind kind() const override { return ViewKind::Cell; }

  // The standard parts (always present; shown when they hold something).
  Label& textLabel() { return *textLabel_; }
  Label& detailTextLabel() { return *detailTextLabel_; }
  ImageView& imageView() { return *imageView_; }
  const Label& textLabel() const { return *textLabel_; }
  const Label& detailTextLabel() const { return *detailTextLabel_; }
  const ImageView& imageView() const { return *imageView_; }

  // The text a person reads as the row's name: the main text, else the first label's text.
  std::string visibleText() const;

  CellStyle style;
  std::string reuseIdentifier;
  CellAccessory accessoryType = CellAccessory::None;
  CellSelectionStyle selectionStyle = CellSelectionStyle::Blue;
  // A row that shows a spinner in place of its accessory (e.g. while loading more).
  bool showsActivity = false;

 private:
  std::shared_ptr<Label> textLabel_;
  std::shared_ptr<Label> detailTextLabel_;
  std::shared_ptr<ImageView> imageView_;
};

}  // namespace kelda::ui
