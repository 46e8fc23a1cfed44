#include "account/FormCells.hpp"

#include "ui/Label.hpp"

namespace kelda::account {

using gateway::UserProfileDetails;

std::shared_ptr<ui::TextField> makeTextField(const FieldSpec& spec) {
  auto field = std::make_shared<ui::TextField>(spec.placeholder);
  field->identifier = spec.identifier;
  field->label = spec.label;
  field->secureTextEntry = spec.secure;
  field->keyboardType = spec.keyboard;
  field->returnKeyType = spec.returnKey;
  return field;
}

void bindToProfile(ui::TextField& field, ProfileGetter get, ProfileSetter set) {
  field.text = std::string((UserProfileDetails::sharedUserProfileObject().*get)().text());
  auto store = [set](ui::TextField& f) {
    (UserProfileDetails::sharedUserProfileObject().*set)(json::Value(f.text));
  };
  field.didChangeText = store;
  field.didEndEditing = store;
}

std::shared_ptr<ui::TableViewCell> captionCell(const std::string& text, int lines) {
  auto cell = std::make_shared<ui::TableViewCell>();
  cell->textLabel().text = text;
  cell->textLabel().numberOfLines = lines;
  cell->selectionStyle = ui::CellSelectionStyle::None;
  return cell;
}

std::shared_ptr<ui::TableViewCell> labelledCell(const std::string& label, bool required,
                                                std::shared_ptr<ui::View> control) {
  auto cell = std::make_shared<ui::TableViewCell>();
  cell->selectionStyle = ui::CellSelectionStyle::None;
  // A text field names itself; a button (a picker's) is named by a label before it.
  const auto* field = dynamic_cast<const ui::TextField*>(control.get());
  if (field == nullptr || field->label != label) cell->add<ui::Label>(label, ui::TextStyle::Bold);
  if (required) cell->add<ui::Label>("*")->textColor = ui::Color::rgb(1, 0, 0);
  cell->addSubview(std::move(control));
  return cell;
}

std::shared_ptr<ui::TableViewCell> controlCell(std::shared_ptr<ui::View> control) {
  auto cell = std::make_shared<ui::TableViewCell>();
  cell->selectionStyle = ui::CellSelectionStyle::None;
  cell->addSubview(std::move(control));
  return cell;
}

std::shared_ptr<ui::TableViewCell> policyCell(const std::string& pageName) {
  auto cell = std::make_shared<ui::TableViewCell>(ui::CellStyle::Subtitle);
  cell->textLabel().text = "for complete details, read our";
  cell->detailTextLabel().text = pageName;
  cell->accessoryType = ui::CellAccessory::DisclosureIndicator;
  return cell;
}

std::shared_ptr<ui::View> buttonBar(std::initializer_list<std::shared_ptr<ui::Button>> buttons) {
  auto bar = std::make_shared<ui::View>();
  for (const auto& button : buttons) bar->addSubview(button);
  return bar;
}

}  // namespace kelda::account
