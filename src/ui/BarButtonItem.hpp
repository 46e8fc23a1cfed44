// BarButtonItem: a button of a navigation bar (left or right, or the back button's title).
// Shared between the navigation item and the screen that may enable or retitle it.
// Main thread only.
#pragma once

#include <functional>
#include <string>
#include <utility>

namespace kelda::ui {

enum class BarButtonStyle { Plain, Bordered, Done };

class BarButtonItem {
 public:
  using Action = std::function<void()>;

  BarButtonItem() = default;
  explicit BarButtonItem(std::string title, Action action = {},
                         BarButtonStyle style = BarButtonStyle::Bordered)
      : title(std::move(title)), style(style), action(std::move(action)) {}

  // Runs the action when enabled; false (nothing run) when disabled.
  bool sendAction() {
    if (!enabled) return false;
    if (action) action();
    return true;
  }

  std::string title;
  std::string imageName;
  BarButtonStyle style = BarButtonStyle::Bordered;
  bool enabled = true;
  Action action;
};

}  // namespace kelda::ui
