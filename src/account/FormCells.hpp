// FormCells: the rows the account forms are made of: a caption, a field name with its text
// field (a red "*" marks a required one), a field name with a button that opens a picker, and
// the binding that keeps a text field and a field of the profile record in step.
// Main thread only.
#pragma once

#include <memory>
#include <string>

#include "gateway/UserProfileDetails.hpp"
#include "ui/Button.hpp"
#include "ui/TableViewCell.hpp"
#include "ui/TextField.hpp"

namespace kelda::account {

// A setter of one text field of the profile record (UserProfileDetails::setFirstName, ...).
using ProfileSetter = void (gateway::UserProfileDetails::*)(json::Value);
using ProfileGetter = json::Value (gateway::UserProfileDetails::*)() const;

struct FieldSpec {
  const char* identifier;   // the field's stable name ("field.<identifier>" on screen)
  const char* label;        // "First Name:"
  const char* placeholder;  // "Enter First Name"
  bool required = false;
  bool secure = false;
  ui::KeyboardType keyboard = ui::KeyboardType::Default;
  ui::ReturnKeyType returnKey = ui::ReturnKeyType::Default;
};

// A new text field as `spec` describes it.
std::shared_ptr<ui::TextField> makeTextField(const FieldSpec& spec);

// Keeps `field` and a field of the profile record in step: the field shows the stored text
// now, and every change of its text (and the end of its editing) stores what it shows, the
// empty text included, so what the shopper sees is what the form sends.
void bindToProfile(ui::TextField& field, ProfileGetter get, ProfileSetter set);

// A caption row (several lines when needed).
std::shared_ptr<ui::TableViewCell> captionCell(const std::string& text, int lines = 1);
// A row with the field name, a red "*" when required, and `control` (a text field or button).
std::shared_ptr<ui::TableViewCell> labelledCell(const std::string& label, bool required,
                                                std::shared_ptr<ui::View> control);
// A row with one switch or check box after its title.
std::shared_ptr<ui::TableViewCell> controlCell(std::shared_ptr<ui::View> control);
// A row that opens a policy page: "for complete details, read our" and the page's name.
std::shared_ptr<ui::TableViewCell> policyCell(const std::string& pageName);

// A view holding buttons side by side (the buttons under a form's section).
std::shared_ptr<ui::View> buttonBar(std::initializer_list<std::shared_ptr<ui::Button>> buttons);

}  // namespace kelda::account
