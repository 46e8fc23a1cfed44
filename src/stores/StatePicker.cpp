#include "stores/StatePicker.hpp"

#include <algorithm>
#include <utility>

#include "gateway/ResourceTables.hpp"
#include "ui/Window.hpp"

namespace kelda::stores {
namespace {

// The byte length of the first `count` characters (UTF-8 code points) of `text`.
std::size_t prefixBytes(const std::string& text, std::size_t count) {
  std::size_t bytes = 0;
  for (std::size_t characters = 0; bytes < text.size() && characters < count; ++characters) {
    ++bytes;
    while (bytes < text.size() && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) {
      ++bytes;
    }
  }
  return bytes;
}

}  // namespace

StatePicker::StatePicker() {
  for (auto [code, name] : gateway::usStatesTable().members()) {
    if (name.isString()) choice_->names.push_back(name.str());
  }
  std::sort(choice_->names.begin(), choice_->names.end());
}

std::string StatePicker::buttonTitle(const std::string& stateTitle) {
  const std::size_t bytes = prefixBytes(stateTitle, kButtonCharacters);
  if (bytes >= stateTitle.size()) return stateTitle;
  return stateTitle.substr(0, bytes) + "...";
}

void StatePicker::present(std::function<void()> changed) {
  ui::Window::shared().endEditing();
  choice_->changed = std::move(changed);
  std::weak_ptr<Choice> weak = choice_;
  auto picker =
      std::make_shared<ui::PickerView>(std::vector<std::vector<std::string>>{choice_->names});
  picker->showsToolbar = true;
  picker->didSelectRow = [weak](ui::PickerView&, int row, int) {
    auto choice = weak.lock();
    if (!choice || row < 0 || static_cast<std::size_t>(row) >= choice->names.size()) return;
    choice->stateTitle = choice->names[static_cast<std::size_t>(row)];
    if (choice->changed) choice->changed();
  };
  picker->cancel = [weak](ui::PickerView&) {
    ui::Window::shared().dismissPicker();
    if (auto choice = weak.lock()) {
      choice->stateTitle = kSelectState;
      if (choice->changed) choice->changed();
    }
  };
  picker->done = [](ui::PickerView&) { ui::Window::shared().dismissPicker(); };
  ui::Window::shared().presentPicker(picker);
}

}  // namespace kelda::stores
