#include "product/ProductPageOpener.hpp"

#include <memory>

#include "gateway/GlobalFlags.hpp"
#include "gateway/TarnObjects.hpp"
#include "product/PDPViewsController.hpp"

namespace kelda::product {

bool openProductPage(ui::NavigationController& navigation,
                     const gateway::ProductPageRequest& page) {
  auto& state = gateway::TarnObjects::sharedInstance();
  const json::Value answer = state.productDescriptionList();
  if (answer.empty()) return false;
  state.setPdpTabFlag("1");
  if (answer["PDPFLAG"].str() != "SIMPLE") return false;
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
