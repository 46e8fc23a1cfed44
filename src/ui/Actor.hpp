// Actor: acts on the window as a person would (tap, type, return key, search, pick, Done,
// Cancel, alert buttons, back, page turns), for the terminal front end and for tests. Each
// action captures the screen tree, finds its target (an element id or the exact visible text,
// ignoring case) and runs what the element does; it does not run the main loop afterwards.
//
// A failed action changes nothing and says why. While an alert is shown only its buttons can
// be pressed; while a busy overlay is shown nothing but alerts can be acted on. Main thread only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelda::ui {

class Window;

struct ActResult {
  bool ok = true;
  std::string message;  // why the action could not be carried out
  explicit operator bool() const { return ok; }
  static ActResult success() { return {}; }
  static ActResult failure(std::string why) { return ActResult{false, std::move(why)}; }
};

class Actor {
 public:
  explicit Actor(Window& window);

  // A tab by index ("2") or title ("my bag").
  ActResult tab(std::string_view indexOrTitle);
  // Any element a person can tap: button, row, bar button, tab, switch, check box, radio,
  // row delete, alert button, picker toolbar button, map pin.
  ActResult tap(std::string_view target);
  // Replaces the text of a text field or search bar (editing begins first).
  ActResult type(std::string_view field, const std::string& text);
  // The return key of a field (or the search key of a search bar).
  ActResult returnKey(std::string_view field);
  // Types into the top screen's (first) search bar and presses its search key.
  ActResult search(const std::string& text);
  // Turns the wheels of a picker, one row per component (index or row title); a date picker
  // takes one date ("YYYY-MM-DD"). The target "picker" is the picker presented in the window.
  ActResult pick(std::string_view picker, const std::vector<std::string>& rows);
  // Done / Cancel of the presented picker.
  ActResult done();
  ActResult cancel();
  // A button of the shown alert by title or index.
  ActResult alertButton(std::string_view titleOrIndex);
  // The back button (or the custom left button that takes its place).
  ActResult back();
  // Turns the top screen's (first) paged view to page `index` (0 is the first page).
  ActResult page(std::string_view index);

 private:
  Window& window_;
};

}  // namespace kelda::ui
