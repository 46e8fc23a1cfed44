#include "ui/TabBarController.hpp"

#include <utility>

#include "ui/NavigationController.hpp"

namespace kelda::ui {

TabBarController::~TabBarController() {
  for (auto& tab : tabs_) {
    if (tab->parentViewController() == this) tab->setParentViewController(nullptr);
  }
}

std::shared_ptr<ViewController> TabBarController::selectedViewController() const {
  if (selected_ < 0 || selected_ >= static_cast<int>(tabs_.size())) return nullptr;
  return tabs_[static_cast<std::size_t>(selected_)];
}

ViewController* TabBarController::visibleChild() const {
  return selectedViewController().get();
}

void TabBarController::setViewControllers(std::vector<std::shared_ptr<ViewController>> screens) {
  auto oldSelected = selectedViewController();
  bool onScreen = isOnScreen();
  if (onScreen && oldSelected) oldSelected->beginDisappearance(false);
  for (auto& tab : tabs_) {
    if (tab->parentViewController() == this) tab->setParentViewController(nullptr);
  }
  tabs_.clear();
  for (auto& s : screens) {
    if (!s) continue;
    s->setParentViewController(this);
    tabs_.push_back(std::move(s));
  }
  selected_ = 0;
  auto newSelected = selectedViewController();
  if (onScreen && newSelected) newSelected->beginAppearance(false);
  if (onScreen && oldSelected) oldSelected->endDisappearance(false);
  if (onScreen && newSelected) newSelected->endAppearance(false);
}

bool TabBarController::setSelectedIndex(int index) {
  if (index < 0 || index >= static_cast<int>(tabs_.size())) return false;
  if (index == selected_) return true;
  auto oldSelected = selectedViewController();
  selected_ = index;
  auto newSelected = selectedViewController();
  if (isOnScreen()) {
    if (oldSelected) oldSelected->beginDisappearance(false);
    newSelected->beginAppearance(false);
    if (oldSelected) oldSelected->endDisappearance(false);
    newSelected->endAppearance(false);
  }
  return true;
}

bool TabBarController::tapTab(int index) {
  if (index < 0 || index >= static_cast<int>(tabs_.size())) return false;
  if (index == selected_) {
    if (auto* nav = dynamic_cast<NavigationController*>(selectedViewController().get())) {
      nav->popToRootViewControllerAnimated(true);
    }
  } else {
    setSelectedIndex(index);
  }
  if (didSelect) didSelect(*this, index);
  return true;
}

TabBarItem& TabBarController::itemAt(int index) {
  return tabs_.at(static_cast<std::size_t>(index))->tabBarItem();
}

void TabBarController::setBadgeValue(int index, std::string badge) {
  if (index < 0 || index >= static_cast<int>(tabs_.size())) return;
  itemAt(index).badgeValue = std::move(badge);
}

}  // namespace kelda::ui
