// SearchBar: a search field with an optional cancel button and a search (return) key, in the
// shape of a search bar's delegate: begin editing, text change, search button, cancel button.
// Main thread only.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "ui/View.hpp"

namespace kelda::ui {

class SearchBar : public View {
 public:
  using Callback = std::function<void(SearchBar&)>;

  SearchBar() = default;
  explicit SearchBar(std::string placeholder) : placeholder(std::move(placeholder)) {}
  ViewKind kind() const override { return ViewKind::SearchBar; }

  // Begins editing (shouldBeginEditing may refuse; then textDidBeginEditing runs). The search
  // bar becomes the window's first responder. False when refused.
  bool becomeFirstResponder();
  void resignFirstResponder();
  bool isFirstResponder() const;
  // Replaces the text and runs textDidChange.
  void typeText(const std::string& newText);
  // The keyboard's search key: runs searchButtonClicked.
  void pressSearch();
  // The cancel button: runs cancelButtonClicked (only while showsCancelButton).
  bool pressCancel();

  std::string text;
  std::string placeholder;
  bool showsCancelButton = false;

  std::function<bool(SearchBar&)> shouldBeginEditing;
  Callback textDidBeginEditing;
  Callback textDidEndEditing;
  std::function<void(SearchBar&, const std::string&)> textDidChange;
  Callback searchButtonClicked;
  Callback cancelButtonClicked;
};

}  // namespace kelda::ui
