// TabCollectionViewsController: the page of a tabbed collection product ("TAB"): the
// collection page over the shared tabCollectionProductDescriptionList, whose main and details
// pages show the children of the selected tab (TabCollectionPDPMainViewController,
// TabCollectionPDPDetailsViewController). Main thread only.
#pragma once

#include "product/CollectionViewsController.hpp"

namespace kelda::product {

class TabCollectionViewsController : public CollectionViewsController {
 public:
  TabCollectionViewsController() : CollectionViewsController(CollectionKind::Tabbed) {}
};

}  // namespace kelda::product
