#include "ui/NavigationController.hpp"

#include <algorithm>
#include <utility>

namespace kelda::ui {

NavigationController::NavigationController(std::shared_ptr<ViewController> root) {
  if (root) {
    root->setParentViewController(this);
    stack_.push_back(std::move(root));
  }
}

NavigationController::~NavigationController() {
  for (auto& screen : stack_) {
    if (screen->parentViewController() == this) screen->setParentViewController(nullptr);
  }
}

std::shared_ptr<ViewController> NavigationController::topViewController() const {
  return stack_.empty() ? nullptr : stack_.back();
}

bool NavigationController::contains(const ViewController& screen) const {
  return std::any_of(stack_.begin(), stack_.end(),
                     [&](const auto& s) { return s.get() == &screen; });
}

ViewController* NavigationController::visibleChild() const {
  return topViewController().get();
}

// Sends the appearance callbacks for a change of the top screen from `oldTop` to the
// current top, when the stack is on screen.
void NavigationController::replaceTop(const std::shared_ptr<ViewController>& oldTop,
                                      bool animated) {
  auto newTop = topViewController();
  if (!isOnScreen() || oldTop == newTop) return;
  if (oldTop) oldTop->beginDisappearance(animated);
  if (newTop) newTop->beginAppearance(animated);
  if (oldTop) oldTop->endDisappearance(animated);
  if (newTop) newTop->endAppearance(animated);
}

void NavigationController::pushViewController(std::shared_ptr<ViewController> screen,
                                              bool animated) {
  if (!screen || screen.get() == this || contains(*screen)) return;
  auto oldTop = topViewController();
  screen->setParentViewController(this);
  stack_.push_back(std::move(screen));
  replaceTop(oldTop, animated);
}

std::shared_ptr<ViewController> NavigationController::popViewControllerAnimated(bool animated) {
  if (stack_.size() < 2) return nullptr;
  auto popped = popToViewController(*stack_[stack_.size() - 2], animated);
  return popped.empty() ? nullptr : popped.back();
}

std::vector<std::shared_ptr<ViewController>> NavigationController::popToRootViewControllerAnimated(
    bool animated) {
  if (stack_.empty()) return {};
  return popToViewController(*stack_.front(), animated);
}

std::vector<std::shared_ptr<ViewController>> NavigationController::popToViewController(
    const ViewController& screen, bool animated) {
  auto it =
      std::find_if(stack_.begin(), stack_.end(), [&](const auto& s) { return s.get() == &screen; });
  if (it == stack_.end()) return {};
  auto oldTop = topViewController();
  std::vector<std::shared_ptr<ViewController>> popped(it + 1, stack_.end());
  stack_.erase(it + 1, stack_.end());
  replaceTop(oldTop, animated);
  // The popped screens leave the stack only after their disappearance callbacks.
  for (auto& s : popped) {
    if (s->parentViewController() == this) s->setParentViewController(nullptr);
  }
  return popped;
}

void NavigationController::setViewControllers(std::vector<std::shared_ptr<ViewController>> screens,
                                              bool animated) {
  auto oldTop = topViewController();
  auto old = std::move(stack_);
  stack_.clear();
  for (auto& s : screens) {
    if (s && !contains(*s)) {
      s->setParentViewController(this);
      stack_.push_back(std::move(s));
    }
  }
  replaceTop(oldTop, animated);
  for (auto& s : old) {
    if (!contains(*s) && s->parentViewController() == this) s->setParentViewController(nullptr);
  }
}

std::string NavigationController::backButtonTitle() const {
  if (stack_.size() < 2 || stack_.back()->navigationItem().hidesBackButton) return {};
  ViewController& previous = *stack_[stack_.size() - 2];
  const NavigationItem& item = previous.navigationItem();
  if (item.backBarButtonItem) return item.backBarButtonItem->title;
  if (!item.title.empty()) return item.title;
  return "Back";
}

}  // namespace kelda::ui
