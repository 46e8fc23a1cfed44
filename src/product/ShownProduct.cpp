#include "product/ShownProduct.hpp"

#include "gateway/TarnObjects.hpp"
#include "product/ChoiceLists.hpp"

namespace kelda::product {

void restoreShownProduct(json::Value& own) {
  auto& state = gateway::TarnObjects::sharedInstance();
  const json::Value shown = state.productDescriptionList();
  if (shown["data"][0]["prodId"] == own["data"][0]["prodId"]) {
    own = shown;
    return;
  }
  state.setProductDescriptionList(own);
  storeAttributeLists(own);
  storeQuantityChoices(own);
}

}  // namespace kelda::product
