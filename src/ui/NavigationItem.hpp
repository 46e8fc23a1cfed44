// NavigationItem: what a screen shows in the navigation bar while it is on top: a title (or a
// title picture), left and right buttons, and the title of the back button that the next
// screen shows to return here. Main thread only.
#pragma once

#include <memory>
#include <string>

#include "ui/BarButtonItem.hpp"

namespace kelda::ui {

struct NavigationItem {
  std::string title;
  std::string titleImageName;  // a picture in place of the title (e.g. the retailer's logo)
  std::shared_ptr<BarButtonItem> leftBarButtonItem;
  std::shared_ptr<BarButtonItem> rightBarButtonItem;
  // Title of the back button shown by the screen pushed above this one (null: this title).
  std::shared_ptr<BarButtonItem> backBarButtonItem;
  bool hidesBackButton = false;
};

}  // namespace kelda::ui
