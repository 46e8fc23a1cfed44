// StatePicker: the state choice of the store search forms: the names of the shipped states
// list (US-States.plist) in ascending order on a picker that slides up in the window with
// Done and Cancel. Turning the wheel chooses a state; Cancel forgets the choice ("Select
// State" again); Done keeps it; both slide the picker away.
//
// Owned by its form; main thread only.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/PickerView.hpp"

namespace kelda::stores {

class StatePicker {
 public:
  static constexpr const char* kSelectState = "Select State";
  // A chosen name longer than this many characters is cut on the button, followed by "...".
  static constexpr std::size_t kButtonCharacters = 30;

  StatePicker();

  const std::vector<std::string>& pickerViewArray() const { return choice_->names; }
  // The chosen state's full name, or "Select State".
  const std::string& stateTitle() const { return choice_->stateTitle; }
  bool hasState() const { return choice_->stateTitle != kSelectState; }
  void reset() { choice_->stateTitle = kSelectState; }

  // Slides the picker up; `changed` runs after each change of the choice while this object
  // lives (the picker in the window holds it only weakly).
  void present(std::function<void()> changed);

  // The button's title for a state title.
  static std::string buttonTitle(const std::string& stateTitle);

 private:
  struct Choice {
    std::vector<std::string> names;
    std::string stateTitle = kSelectState;
    std::function<void()> changed;
  };
  std::shared_ptr<Choice> choice_ = std::make_shared<Choice>();
};

}  // namespace kelda::stores
