#include "ui/Switch.hpp"

namespace kelda::ui {

bool Switch::toggle() {
  if (!enabled) return false;
  on = !on;
  if (valueChanged) valueChanged(*this);
  return true;
}

}  // namespace kelda::ui
