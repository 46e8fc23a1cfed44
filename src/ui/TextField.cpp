#include "ui/TextField.hpp"

#include "ui/Window.hpp"

namespace kelda::ui {

bool TextField::becomeFirstResponder() {
  if (isFirstResponder()) return true;
  if (!enabled) return false;
  Window& window = Window::shared();
  window.endEditing();
  if (shouldBeginEditing && !shouldBeginEditing(*this)) return false;
  window.setFirstResponder(shared_from_this());
  if (clearsOnBeginEditing) text.clear();
  if (didBeginEditing) didBeginEditing(*this);
  return true;
}

void TextField::resignFirstResponder() {
  if (!isFirstResponder()) return;
  Window::shared().setFirstResponder(nullptr);
  if (didEndEditing) didEndEditing(*this);
}

bool TextField::isFirstResponder() const {
  return Window::shared().firstResponder().get() == this;
}

bool TextField::typeText(const std::string& newText) {
  if (shouldChangeText && !shouldChangeText(*this, newText)) return false;
  text = newText;
  if (didChangeText) didChangeText(*this);
  return true;
}

void TextField::pressReturn() {
  if (shouldReturn) shouldReturn(*this);
}

}  // namespace kelda::ui
