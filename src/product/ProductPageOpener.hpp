// openProductPage: the one rule by which every list, the home bag summary and the bag screen
// open a product once its answer has arrived: nothing for an empty shared productDescriptionList;
// otherwise pdpTabFlag becomes "1" and the page of the answer's "PDPFLAG" is pushed onto
// `navigation`: "SIMPLE" a new PDPViewsController (on `page.startPage` when given), "ITEM" a new
// CollectionViewsController and "TAB" a new TabCollectionViewsController (each on
// `page.startPage` when given, else on its main page). Any other kind opens nothing.
//
// The application installs it as gateway::ScreenLinks::openProductPage. Main thread only.
#pragma once

#include "gateway/ProductPageRequest.hpp"
#include "ui/NavigationController.hpp"

namespace kelda::product {

// True when a page was pushed.
bool openProductPage(ui::NavigationController& navigation, const gateway::ProductPageRequest& page);

}  // namespace kelda::product
