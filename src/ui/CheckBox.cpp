#include "ui/CheckBox.hpp"

namespace kelda::ui {

bool CheckBox::toggle() {
  if (!enabled) return false;
  checked = !checked;
  if (valueChanged) valueChanged(*this);
  return true;
}

}  // namespace kelda::ui
