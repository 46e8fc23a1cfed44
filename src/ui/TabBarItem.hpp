// TabBarItem: a tab's title, picture and badge (an empty badge shows none). Main thread only.
#pragma once

#include <string>

namespace kelda::ui {

struct TabBarItem {
  std::string title;
  std::string imageName;
  std::string badgeValue;
  int tag = 0;
};

}  // namespace kelda::ui
