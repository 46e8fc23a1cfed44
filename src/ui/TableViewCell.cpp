#include "ui/TableViewCell.hpp"

#include <utility>

namespace kelda::ui {

TableViewCell::TableViewCell(CellStyle style, std::string reuseIdentifier)
    : style(style),
      reuseIdentifier(std::move(reuseIdentifier)),
      textLabel_(std::make_shared<Label>()),
      detailTextLabel_(std::make_shared<Label>()),
      imageView_(std::make_shared<ImageView>()) {
  frame = makeRect(0, 0, kScreenWidth, 44);
}

namespace {
std::string firstLabelText(const View& view) {
  for (const auto& child : view.subviews()) {
    if (child->hidden) continue;
    if (child->kind() == ViewKind::Label) {
      const auto& label = static_cast<const Label&>(*child);
      if (!label.text.empty()) return label.text;
    }
    if (child->kind() == ViewKind::Container) {
      std::string inner = firstLabelText(*child);
      if (!inner.empty()) return inner;
    }
  }
  return {};
}
}  // namespace

std::string TableViewCell::visibleText() const {
  if (!textLabel_->text.empty()) return textLabel_->text;
  return firstLabelText(*this);
}

}  // namespace kelda::ui
