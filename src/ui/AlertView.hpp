// AlertView: a modal alert (title, message, buttons, tag) and its callback.
//
// showAlert() may be called from any thread: the alert is presented on the main thread (posted
// there when called from a worker). The headless window records it in its screen tree until a
// button is pressed; the callback then receives the button's index (clickedButtonAtIndex).
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kelda::ui {

struct AlertView {
  std::string title;
  std::string message;
  std::vector<std::string> buttons;
  int tag = 0;
  std::function<void(int buttonIndex)> clickedButtonAtIndex;
};

void showAlert(AlertView alert);

}  // namespace kelda::ui
