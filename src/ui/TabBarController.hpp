// TabBarController: a row of tabs, each showing one screen (usually a navigation stack); the
// selected tab's screen is shown. Tapping the selected tab again returns its stack to the
// root. Main thread only.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/ViewController.hpp"

namespace kelda::ui {

class TabBarController : public ViewController {
 public:
  TabBarController() = default;
  ~TabBarController() override;

  // Sets the tabs (in order); the first becomes selected.
  void setViewControllers(std::vector<std::shared_ptr<ViewController>> screens);
  const std::vector<std::shared_ptr<ViewController>>& viewControllers() const { return tabs_; }

  int selectedIndex() const { return selected_; }
  // Selects a tab as the program does (no didSelect callback). False out of range.
  bool setSelectedIndex(int index);
  std::shared_ptr<ViewController> selectedViewController() const;
  // A person's tap on a tab: selects it (or returns its stack to the root when it is already
  // selected), then runs didSelect. False out of range.
  bool tapTab(int index);

  // The tab's item (its screen's tab item). Precondition: index in range.
  TabBarItem& itemAt(int index);
  // Sets the badge of a tab (empty removes it); nothing when out of range.
  void setBadgeValue(int index, std::string badge);

  std::function<void(TabBarController&, int index)> didSelect;

 protected:
  ViewController* visibleChild() const override;

 private:
  std::vector<std::shared_ptr<ViewController>> tabs_;
  int selected_ = 0;
};

}  // namespace kelda::ui
