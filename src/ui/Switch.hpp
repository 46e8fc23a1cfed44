// Switch: an on/off control; a tap flips it and runs valueChanged. Main thread only.
#pragma once

#include <functional>

#include "ui/View.hpp"

namespace kelda::ui {

class Switch : public View {
 public:
  Switch() = default;
  explicit Switch(bool on) : on(on) {}
  ViewKind kind() const override { return ViewKind::Switch; }

  // Flips the state and runs valueChanged; false (nothing changed) when disabled.
  bool toggle();

  bool on = false;
  bool enabled = true;
  std::function<void(Switch&)> valueChanged;
};

}  // namespace kelda::ui
