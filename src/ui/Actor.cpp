#include "ui/Actor.hpp"

#include <cctype>
#include <charconv>
#include <optional>

#include "ui/DatePicker.hpp"
#include "ui/PagedView.hpp"
#include "ui/PickerView.hpp"
#include "ui/ScreenTree.hpp"
#include "ui/SearchBar.hpp"
#include "ui/TextField.hpp"
#include "ui/Window.hpp"

namespace kelda::ui {

namespace {

std::string quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

std::optional<int> number(std::string_view text) {
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
    return std::nullopt;
  }
  return value;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

// Whether a person can act on `target` now: alerts are modal, the busy overlay takes every
// touch, disabled elements refuse.
ActResult reachable(const ScreenTree& tree, const Target* target, std::string_view name) {
  if (target == nullptr) return ActResult::failure("No element " + quoted(name) + " on the screen");
  bool isAlertButton = target->kind == TargetKind::AlertButton;
  if (tree.alertShown() && !isAlertButton) {
    return ActResult::failure("An alert is open; answer it first (alert BUTTON)");
  }
  if (tree.touchesBlocked() && !isAlertButton) {
    return ActResult::failure("The screen is busy; wait until it is done");
  }
  if (!target->enabled) return ActResult::failure(quoted(name) + " is disabled");
  return ActResult::success();
}

bool isField(const Target& t) {
  return t.kind == TargetKind::Field || t.kind == TargetKind::SearchBar;
}

// Splits UTF-8 text into its characters (code point sequences).
std::vector<std::string> characters(const std::string& text) {
  std::vector<std::string> out;
  for (unsigned char c : text) {
    if ((c & 0xC0) == 0x80 && !out.empty()) {
      out.back() += static_cast<char>(c);
    } else {
      out.emplace_back(1, static_cast<char>(c));
    }
  }
  return out;
}

// Types as a keyboard does: clears the field, then adds one character at a time, each of which
// the field may refuse.
void typeInto(TextField& field, const std::string& text) {
  if (!field.text.empty()) field.typeText("");
  for (const std::string& ch : characters(text)) field.typeText(field.text + ch);
}

}  // namespace

Actor::Actor(Window& window) : window_(window) {}

ActResult Actor::tab(std::string_view indexOrTitle) {
  ScreenTree tree = ScreenTree::capture(window_);
  auto isTab = [](const Target& t) { return t.kind == TargetKind::Tab; };
  const Target* target = nullptr;
  if (auto index = number(indexOrTitle)) {
    target = tree.find("tab." + std::to_string(*index), isTab);
  } else {
    target = tree.find(indexOrTitle, isTab);
  }
  if (target == nullptr) return ActResult::failure("No tab " + quoted(indexOrTitle));
  if (ActResult r = reachable(tree, target, indexOrTitle); !r) return r;
  target->tap();
  return ActResult::success();
}

ActResult Actor::tap(std::string_view name) {
  ScreenTree tree = ScreenTree::capture(window_);
  const Target* target = tree.find(name, [](const Target& t) { return bool(t.tap); });
  if (ActResult r = reachable(tree, target, name); !r) return r;
  if (!target->tap()) return ActResult::failure(quoted(name) + " did not respond to the tap");
  return ActResult::success();
}

ActResult Actor::type(std::string_view name, const std::string& text) {
  ScreenTree tree = ScreenTree::capture(window_);
  const Target* target = tree.find(name, isField);
  if (ActResult r = reachable(tree, target, name); !r) return r;
  if (auto* bar = dynamic_cast<SearchBar*>(target->view.get())) {
    if (!bar->becomeFirstResponder()) return ActResult::failure(quoted(name) + " refused editing");
    bar->typeText(text);
    return ActResult::success();
  }
  auto& field = static_cast<TextField&>(*target->view);
  if (!field.becomeFirstResponder()) return ActResult::failure(quoted(name) + " refused editing");
  typeInto(field, text);
  return ActResult::success();
}

ActResult Actor::returnKey(std::string_view name) {
  ScreenTree tree = ScreenTree::capture(window_);
  const Target* target = tree.find(name, isField);
  if (ActResult r = reachable(tree, target, name); !r) return r;
  if (auto* bar = dynamic_cast<SearchBar*>(target->view.get())) {
    if (!bar->becomeFirstResponder()) return ActResult::failure(quoted(name) + " refused editing");
    bar->pressSearch();
    return ActResult::success();
  }
  auto& field = static_cast<TextField&>(*target->view);
  if (!field.becomeFirstResponder()) return ActResult::failure(quoted(name) + " refused editing");
  field.pressReturn();
  return ActResult::success();
}

ActResult Actor::search(const std::string& text) {
  ScreenTree tree = ScreenTree::capture(window_);
  const Target* target = nullptr;
  for (const Target& t : tree.targets()) {
    if (t.kind == TargetKind::SearchBar) {
      target = &t;
      break;
    }
  }
  if (target == nullptr) return ActResult::failure("There is no search bar on this screen");
  if (ActResult r = reachable(tree, target, target->id); !r) return r;
  auto bar = std::static_pointer_cast<SearchBar>(target->view);
  if (!bar->becomeFirstResponder()) return ActResult::failure("The search bar refused editing");
  bar->typeText(text);
  bar->pressSearch();
  return ActResult::success();
}

namespace {

ActResult pickWheels(PickerView& picker, std::string_view name,
                     const std::vector<std::string>& rows) {
  if (rows.empty() || static_cast<int>(rows.size()) > picker.numberOfComponents()) {
    return ActResult::failure(quoted(name) + " has " + std::to_string(picker.numberOfComponents()) +
                              " wheel(s)");
  }
  std::vector<int> chosen;
  for (int c = 0; c < static_cast<int>(rows.size()); ++c) {
    const std::string& wanted = rows[static_cast<std::size_t>(c)];
    std::optional<int> row;
    for (int r = 0; r < picker.numberOfRowsInComponent(c) && !row; ++r) {
      if (sameIgnoringCase(picker.titleForRow(r, c), wanted)) row = r;
    }
    if (!row) row = number(wanted);
    if (!row || *row < 0 || *row >= picker.numberOfRowsInComponent(c)) {
      return ActResult::failure("No row " + quoted(wanted) + " on wheel " + std::to_string(c) +
                                " of " + quoted(name));
    }
    chosen.push_back(*row);
  }
  auto keep = picker.shared_from_this();
  for (int c = 0; c < static_cast<int>(chosen.size()); ++c) {
    picker.pickRow(chosen[static_cast<std::size_t>(c)], c);
  }
  return ActResult::success();
}

ActResult pickDate(DatePicker& picker, std::string_view name,
                   const std::vector<std::string>& rows) {
  std::string text;
  for (const auto& part : rows) text += (text.empty() ? "" : " ") + part;
  auto date = DatePicker::parse(text);
  if (!date) {
    return ActResult::failure(quoted(text) + " is not a date for " + quoted(name) +
                              " (YYYY-MM-DD)");
  }
  auto keep = picker.shared_from_this();
  picker.pickDate(*date);
  return ActResult::success();
}

}  // namespace

ActResult Actor::pick(std::string_view name, const std::vector<std::string>& rows) {
  ScreenTree tree = ScreenTree::capture(window_);
  auto isPicker = [](const Target& t) {
    return t.kind == TargetKind::Picker || t.kind == TargetKind::DatePicker;
  };
  const Target* target = tree.find(name, isPicker);
  if (target == nullptr && name == "picker") {
    for (const Target& t : tree.targets()) {
      if (isPicker(t)) {
        target = &t;
        break;
      }
    }
  }
  if (ActResult r = reachable(tree, target, name); !r) return r;
  if (auto* date = dynamic_cast<DatePicker*>(target->view.get())) {
    return pickDate(*date, name, rows);
  }
  return pickWheels(static_cast<PickerView&>(*target->view), name, rows);
}

ActResult Actor::done() {
  if (!window_.presentedPicker()) return ActResult::failure("No picker is open");
  return tap("picker.done");
}

ActResult Actor::cancel() {
  if (!window_.presentedPicker()) return ActResult::failure("No picker is open");
  return tap("picker.cancel");
}

ActResult Actor::alertButton(std::string_view titleOrIndex) {
  if (window_.alerts().empty()) return ActResult::failure("No alert is shown");
  ScreenTree tree = ScreenTree::capture(window_);
  auto isAlertButton = [](const Target& t) { return t.kind == TargetKind::AlertButton; };
  const Target* target = nullptr;
  if (auto index = number(titleOrIndex)) {
    target = tree.find("alert.button." + std::to_string(*index), isAlertButton);
  } else {
    target = tree.find(titleOrIndex, isAlertButton);
  }
  if (target == nullptr) {
    return ActResult::failure("The alert has no button " + quoted(titleOrIndex));
  }
  target->tap();
  return ActResult::success();
}

ActResult Actor::back() {
  ScreenTree tree = ScreenTree::capture(window_);
  const Target* target = tree.find("nav.back");
  if (target == nullptr) target = tree.find("nav.left");
  if (target == nullptr) return ActResult::failure("There is no back button on this screen");
  if (ActResult r = reachable(tree, target, target->id); !r) return r;
  target->tap();
  return ActResult::success();
}

ActResult Actor::page(std::string_view index) {
  ScreenTree tree = ScreenTree::capture(window_);
  const Target* target = nullptr;
  for (const Target& t : tree.targets()) {
    if (t.kind == TargetKind::Paged) {
      target = &t;
      break;
    }
  }
  if (target == nullptr) return ActResult::failure("There are no pages on this screen");
  if (ActResult r = reachable(tree, target, target->id); !r) return r;
  auto& pages = static_cast<PagedView&>(*target->view);
  auto n = number(index);
  if (!n || *n < 0 || *n >= pages.numberOfPages()) {
    return ActResult::failure("No page " + quoted(index) + " (pages 0 to " +
                              std::to_string(pages.numberOfPages() - 1) + ")");
  }
  auto keep = target->view;
  pages.turnToPage(*n);
  return ActResult::success();
}

}  // namespace kelda::ui
