// Button: a titled (or pictured) control that runs its action when tapped. A disabled button
// refuses taps; a dimmed one is drawn faded but still works. Main thread only.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "ui/View.hpp"

namespace kelda::ui {

enum class ButtonType { RoundedRect, Custom, DetailDisclosure, InfoLight };

class Button : public View {
 public:
  using Action = std::function<void(Button&)>;

  Button() = default;
  explicit Button(std::string title, Action action = {})
      : title(std::move(title)), action(std::move(action)) {}
  ViewKind kind() const override { return ViewKind::Button; }

  // Runs the action when enabled; false (and nothing run) when disabled.
  bool sendAction();

  std::string title;
  std::string imageName;  // resource image drawn on the button, may be empty
  ButtonType buttonType = ButtonType::RoundedRect;
  bool enabled = true;
  bool dimmed = false;
  bool selected = false;
  Color titleColor = Color::black();
  Action action;
};

}  // namespace kelda::ui
