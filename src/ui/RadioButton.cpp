#include "ui/RadioButton.hpp"

namespace kelda::ui {

bool RadioButton::choose() {
  if (!enabled) return false;
  selected = true;
  if (action) action(*this);
  return true;
}

}  // namespace kelda::ui
