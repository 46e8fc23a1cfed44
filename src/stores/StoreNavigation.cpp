#include "stores/StoreNavigation.hpp"

#include "stores/SearchStoreViewController.hpp"
#include "stores/StoreListsViewController.hpp"

namespace kelda::stores {
namespace {

template <class Screen>
void popTo(ui::NavigationController& navigation) {
  const auto& stack = navigation.viewControllers();
  for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
    if (dynamic_cast<Screen*>(it->get()) != nullptr) {
      navigation.popToViewController(**it, true);
      return;
    }
  }
  navigation.popToRootViewControllerAnimated(true);
}

}  // namespace

void popToStoreSearch(ui::NavigationController& navigation) {
  popTo<SearchStoreViewController>(navigation);
}

void popToStoreList(ui::NavigationController& navigation) {
  popTo<StoreListsViewController>(navigation);
}

std::shared_ptr<ui::BarButtonItem> storeSearchBarButton(ui::ViewController& screen) {
  auto button = std::make_shared<ui::BarButtonItem>("Search Again", [&screen] {
    if (auto* navigation = screen.navigationController()) popToStoreSearch(*navigation);
  });
  button->imageName = "get_location.png";
  return button;
}

}  // namespace kelda::stores
