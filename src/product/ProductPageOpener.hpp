// openProductPage: the one rule by which every list, the home bag summary and the bag screen
// open a product once its answer has arrived: nothing for an empty shared productDescriptionList;
// otherwise pdpTabFlag becomes "1" and the page of the answer's "PDPFLAG" is pushed onto
// `navigation`: "SIMPLE" a new PDPViewsController (on `page.startPage` when given). "ITEM" and
// "TAB" answers are kept as the collection answers by the product request; their pages are not
// part of this client yet, so they open nothing, as any other kind.
//
// The application installs it as gateway::ScreenLinks::openProductPage. Main thread only.
#pragma once

#include "gateway/ProductPageRequest.hpp"
#include "ui/NavigationController.hpp"

namespace kelda::product {

// True when a page was pushed.
bool openProductPage(ui::NavigationController& navigation, const gateway::ProductPageRequest& page);

}  // namespace kelda::product
