// The "back to" buttons of the store screens: back to the store search (to ask for another
// place) or back to the store list, by popping the navigation stack to that screen; to the
// stack's root when the screen is not on it. Main thread only.
#pragma once

#include <memory>

#include "ui/BarButtonItem.hpp"
#include "ui/NavigationController.hpp"

namespace kelda::stores {

void popToStoreSearch(ui::NavigationController& navigation);
void popToStoreList(ui::NavigationController& navigation);

// The right-hand button of the savings-pass screens (picture "get_location.png") that returns
// `screen`'s stack to the store search; the button is owned by the screen's navigation item.
std::shared_ptr<ui::BarButtonItem> storeSearchBarButton(ui::ViewController& screen);

}  // namespace kelda::stores
