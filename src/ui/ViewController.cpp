#include "ui/ViewController.hpp"

#include <utility>

#include "ui/NavigationController.hpp"
#include "ui/TabBarController.hpp"
#include "ui/Window.hpp"

namespace kelda::ui {

ViewController::~ViewController() = default;

std::shared_ptr<View> ViewController::view() {
  if (!view_) {
    view_ = loadView();
    if (!view_) view_ = std::make_shared<View>(screenBounds());
    viewDidLoad();
  }
  return view_;
}

void ViewController::setView(std::shared_ptr<View> view) {
  view_ = std::move(view);
}

std::shared_ptr<View> ViewController::loadView() {
  return std::make_shared<View>(screenBounds());
}

void ViewController::setTitle(std::string title) {
  navigationItem_.title = title;
  title_ = std::move(title);
}

NavigationController* ViewController::navigationController() const {
  for (ViewController* p = parent_; p != nullptr; p = p->parent_) {
    if (auto* nav = dynamic_cast<NavigationController*>(p)) return nav;
  }
  return nullptr;
}

TabBarController* ViewController::tabBarController() const {
  for (ViewController* p = parent_; p != nullptr; p = p->parent_) {
    if (auto* tabs = dynamic_cast<TabBarController*>(p)) return tabs;
  }
  return nullptr;
}

void ViewController::presentModalViewController(std::shared_ptr<ViewController> screen,
                                                bool animated) {
  Window::shared().presentModal(std::move(screen), this, animated);
}

void ViewController::dismissModalViewControllerAnimated(bool animated) {
  Window& window = Window::shared();
  if (auto presented = window.modalPresentedBy(*this)) {
    window.dismissModal(*presented, animated);
    return;
  }
  // A screen inside a presented container dismisses the container.
  for (const ViewController* p = this; p != nullptr; p = p->parent_) {
    if (window.isPresentedModally(*p)) {
      window.dismissModal(*p, animated);
      return;
    }
  }
}

std::shared_ptr<ViewController> ViewController::modalViewController() const {
  return Window::shared().modalPresentedBy(*this);
}

void ViewController::beginAppearance(bool animated) {
  if (isOnScreen()) return;
  appearance_ = Appearance::Appearing;
  view();
  viewWillAppear(animated);
  if (ViewController* child = visibleChild()) child->beginAppearance(animated);
}

void ViewController::endAppearance(bool animated) {
  if (appearance_ != Appearance::Appearing) return;
  appearance_ = Appearance::On;
  viewDidAppear(animated);
  if (ViewController* child = visibleChild()) child->endAppearance(animated);
}

void ViewController::beginDisappearance(bool animated) {
  if (!isOnScreen()) return;
  appearance_ = Appearance::Disappearing;
  viewWillDisappear(animated);
  if (ViewController* child = visibleChild()) child->beginDisappearance(animated);
}

void ViewController::endDisappearance(bool animated) {
  if (appearance_ != Appearance::Disappearing) return;
  appearance_ = Appearance::Off;
  viewDidDisappear(animated);
  if (ViewController* child = visibleChild()) child->endDisappearance(animated);
}

}  // namespace kelda::ui
