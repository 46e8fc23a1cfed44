// RadioButton: one choice of a group. A tap selects it (the screen clears the other choices of
// its group, so that its own rules decide) and runs the action. Main thread only.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "ui/View.hpp"

namespace kelda::ui {

class RadioButton : public View {
 public:
  RadioButton() = default;
  explicit RadioButton(std::string title, bool selected = false)
      : title(std::move(title)), selected(selected) {}
  ViewKind kind() const override { return ViewKind::RadioButton; }

  // Selects this choice and runs the action; false (nothing changed) when disabled.
  bool choose();

  std::string title;
  std::string group;
  bool selected = false;
  bool enabled = true;
  std::function<void(RadioButton&)> action;
};

}  // namespace kelda::ui
