#include "ui/Button.hpp"

namespace kelda::ui {

bool Button::sendAction() {
  if (!enabled) return false;
  if (action) {
    auto keep = shared_from_this();  // the action may remove the button from its screen
    action(*this);
  }
  return true;
}

}  // namespace kelda::ui
