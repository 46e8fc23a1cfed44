// ScreenLinks: the screens a subsystem opens in another subsystem that it may not depend on
// (the layering is acyclic: the bag screen opens a product page while the product pages put
// articles into the bag; the account area opens the bag while checkout opens the account's
// screens). The application (src/app) fills each link in at launch; a link that is not filled
// opens nothing. One per Context (`ScreenLinks::shared()`); main thread only.
#pragma once

#include <functional>
#include <memory>

#include <string>

#include "gateway/ProductPageRequest.hpp"
#include "gateway/RequestStatus.hpp"

namespace kelda::ui {
class NavigationController;
class ViewController;
}  // namespace kelda::ui

namespace kelda::gateway {

struct ScreenLinks {
  static ScreenLinks& shared();

  // Pushes the product page that the shared productDescriptionList asks for onto `navigation`.
  std::function<void(ui::NavigationController& navigation, const ProductPageRequest& page)>
      openProductPage;
  // The product request (product ID, category ID, category flag) that fills the shared
  // productDescriptionList. Read the link on the main thread; the copy may run on a worker.
  std::function<RequestStatus(const std::string& productId, const std::string& categoryId,
                              const std::string& categoryFlag)>
      requestProduct;
  // The bag screen (of the bag tab).
  std::function<std::shared_ptr<ui::ViewController>()> bagScreen;
};

}  // namespace kelda::gateway
