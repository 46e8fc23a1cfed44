// CheckBox: a box with an optional title that a tap checks or unchecks, then runs
// valueChanged. Main thread only.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "ui/View.hpp"

namespace kelda::ui {

class CheckBox : public View {
 public:
  CheckBox() = default;
  explicit CheckBox(std::string title, bool checked = false)
      : title(std::move(title)), checked(checked) {}
  ViewKind kind() const override { return ViewKind::CheckBox; }

  // Flips the state and runs valueChanged; false (nothing changed) when disabled.
  bool toggle();

  std::string title;
  bool checked = false;
  bool enabled = true;
  std::function<void(CheckBox&)> valueChanged;
};

}  // namespace kelda::ui
