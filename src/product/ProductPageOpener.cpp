#include "product/ProductPageOpener.hpp"

#include <memory>
#include <string>

#include "gateway/GlobalFlags.hpp"
#include "gateway/TarnObjects.hpp"
#include "product/PDPViewsController.hpp"
#include "product/TabCollectionViewsController.hpp"

namespace kelda::product {

bool openProductPage(ui::NavigationController& navigation,
                     const gateway::ProductPageRequest& page) {
  auto& state = gateway::TarnObjects::sharedInstance();
  const json::Value answer = state.productDescriptionList();
  if (answer.empty()) return false;
  state.setPdpTabFlag("1");
  const std::string kind = answer["PDPFLAG"].str();
  if (kind == "ITEM" || kind == "TAB") {
    std::shared_ptr<CollectionViewsController> screen;
    if (kind == "ITEM") {
      screen = std::make_shared<CollectionViewsController>();
    } else {
      screen = std::make_shared<TabCollectionViewsController>();
    }
    if (page.startPage) screen->collectionPageIndex = *page.startPage;
    navigation.pushViewController(screen, true);
    return true;
  }
  if (kind != "SIMPLE") return false;
  auto screen = std::make_shared<PDPViewsController>();
  if (page.startPage) {
    // A start page other than the main or details page is shown through pageIndex.
    screen->pageIndex = *page.startPage;
    gateway::GlobalFlags::shared().fromIndex = *page.startPage;
  }
  navigation.pushViewController(screen, true);
  return true;
}

}  // namespace kelda::product
