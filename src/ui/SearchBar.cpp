#include "ui/SearchBar.hpp"

#include "ui/Window.hpp"

namespace kelda::ui {

bool SearchBar::becomeFirstResponder() {
  if (isFirstResponder()) return true;
  Window& window = Window::shared();
  window.endEditing();
  if (shouldBeginEditing && !shouldBeginEditing(*this)) return false;
  window.setFirstResponder(shared_from_this());
  if (textDidBeginEditing) textDidBeginEditing(*this);
  return true;
}

void SearchBar::resignFirstResponder() {
  if (!isFirstResponder()) return;
  Window::shared().setFirstResponder(nullptr);
  if (textDidEndEditing) textDidEndEditing(*this);
}

bool SearchBar::isFirstResponder() const {
  return Window::shared().firstResponder().get() == this;
}

void SearchBar::typeText(const std::string& newText) {
  text = newText;
  if (textDidChange) textDidChange(*this, text);
}

void SearchBar::pressSearch() {
  if (searchButtonClicked) searchButtonClicked(*this);
}

bool SearchBar::pressCancel() {
  if (!showsCancelButton) return false;
  if (cancelButtonClicked) cancelButtonClicked(*this);
  return true;
}

}  // namespace kelda::ui
