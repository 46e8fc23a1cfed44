#include "ui/Window.hpp"

#include "platform/RunLoop.hpp"
#include "ui/ScreenTree.hpp"

#include <algorithm>
#include <utility>

#include "platform/Context.hpp"
#include "ui/DatePicker.hpp"
#include "ui/DropInBanner.hpp"
#include "ui/NavigationController.hpp"
#include "ui/PickerView.hpp"
#include "ui/SearchBar.hpp"
#include "ui/TabBarController.hpp"
#include "ui/TextField.hpp"

namespace kelda::ui {

Window::Window() : content_(std::make_shared<View>(screenBounds())) {}

Window::~Window() {
  if (layoutLoop_ != nullptr) layoutLoop_->removeIdleObserver(layoutObserver_);
}

Window& Window::shared() {
  return platform::shared<Window>();
}

namespace {
// The appearance callbacks of a change of the front screen from `from` to `to`.
void swapScreens(ViewController* from, ViewController* to, bool animated) {
  if (from == to) return;
  if (from) from->beginDisappearance(animated);
  if (to) to->beginAppearance(animated);
  if (from) from->endDisappearance(animated);
  if (to) to->endAppearance(animated);
}
}  // namespace

void Window::setRootViewController(std::shared_ptr<ViewController> root) {
  if (root == root_) return;
  auto old = std::move(root_);
  root_ = std::move(root);
  if (visible_ && modals_.empty()) swapScreens(old.get(), root_.get(), false);
}

void Window::makeKeyAndVisible() {
  if (visible_) return;
  visible_ = true;
  swapScreens(nullptr, frontController(), false);
  // A shown window lays itself out whenever the loop is about to go idle, as a real window
  // draws: tables make their rows then, and rows start their pictures' loads.
  layoutLoop_ = &platform::RunLoop::main();
  layoutObserver_ = layoutLoop_->addIdleObserver([this] { layoutIfNeeded(); });
}

void Window::layoutIfNeeded() {
  ScreenTree::capture(*this);
}

void Window::addSubview(std::shared_ptr<View> view) {
  content_->addSubview(std::move(view));
}

ViewController* Window::frontController() const {
  return modals_.empty() ? root_.get() : modals_.back().screen.get();
}

ViewController* Window::topViewController() const {
  ViewController* screen = frontController();
  while (screen != nullptr) {
    if (auto* tabs = dynamic_cast<TabBarController*>(screen)) {
      auto selected = tabs->selectedViewController();
      if (!selected) break;
      screen = selected.get();
    } else if (auto* nav = dynamic_cast<NavigationController*>(screen)) {
      auto top = nav->topViewController();
      if (!top) break;
      screen = top.get();
    } else {
      break;
    }
  }
  return screen;
}

void Window::showAlert(AlertView alert) {
  alerts_.push_back(std::move(alert));
}

bool Window::clickAlertButton(int index) {
  if (alerts_.empty()) return false;
  if (index < 0 || index >= static_cast<int>(alerts_.back().buttons.size())) return false;
  AlertView alert = std::move(alerts_.back());
  alerts_.pop_back();
  if (alert.clickedButtonAtIndex) alert.clickedButtonAtIndex(index);
  return true;
}

void Window::presentPicker(std::shared_ptr<View> picker) {
  if (auto* wheels = dynamic_cast<PickerView*>(picker.get())) wheels->showsToolbar = true;
  if (auto* date = dynamic_cast<DatePicker*>(picker.get())) date->showsToolbar = true;
  picker_ = std::move(picker);
}

void Window::dismissPicker() {
  picker_.reset();
}

void Window::presentModal(std::shared_ptr<ViewController> screen, ViewController* presenter,
                          bool animated) {
  if (!screen || isPresentedModally(*screen) || screen == root_) return;
  ViewController* oldFront = frontController();
  modals_.push_back(Modal{std::move(screen), presenter});
  if (visible_) swapScreens(oldFront, frontController(), animated);
}

void Window::dismissModal(const ViewController& screen, bool animated) {
  auto it = std::find_if(modals_.begin(), modals_.end(),
                         [&](const Modal& m) { return m.screen.get() == &screen; });
  if (it == modals_.end()) return;
  std::vector<Modal> removed(it, modals_.end());
  modals_.erase(it, modals_.end());
  if (visible_) swapScreens(removed.back().screen.get(), frontController(), animated);
}

std::shared_ptr<ViewController> Window::modalPresentedBy(const ViewController& presenter) const {
  for (const Modal& m : modals_) {
    if (m.presenter == &presenter) return m.screen;
  }
  return nullptr;
}

ViewController* Window::presenterOf(const ViewController& screen) const {
  for (const Modal& m : modals_) {
    if (m.screen.get() == &screen) return m.presenter;
  }
  return nullptr;
}

bool Window::isPresentedModally(const ViewController& screen) const {
  return std::any_of(modals_.begin(), modals_.end(),
                     [&](const Modal& m) { return m.screen.get() == &screen; });
}

std::vector<std::shared_ptr<ViewController>> Window::modalScreens() const {
  std::vector<std::shared_ptr<ViewController>> screens;
  for (const Modal& m : modals_) screens.push_back(m.screen);
  return screens;
}

std::shared_ptr<DropInBanner> Window::banner() const {
  if (!banner_ || banner_->state == BannerState::FoldedAway) return nullptr;
  return banner_;
}

void Window::endEditing() {
  auto responder = firstResponder();
  if (auto* field = dynamic_cast<TextField*>(responder.get())) field->resignFirstResponder();
  if (auto* bar = dynamic_cast<SearchBar*>(responder.get())) bar->resignFirstResponder();
}

PageLoad Window::loadPage(const std::string& url) const {
  if (pageLoader_) return pageLoader_(url);
  return PageLoad{};
}

}  // namespace kelda::ui
