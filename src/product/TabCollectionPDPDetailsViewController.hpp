// TabCollectionPDPDetailsViewController: the details page of a tabbed collection: as the plain
// one, with the children of the selected tab and the tab strip under the attributes.
// Main thread only.
#pragma once

#include "product/CollectionPDPDetailsViewController.hpp"

namespace kelda::product {

class TabCollectionPDPDetailsViewController : public CollectionPDPDetailsViewController {
 public:
  explicit TabCollectionPDPDetailsViewController(CollectionViewsDelegate& container)
      : CollectionPDPDetailsViewController(container, CollectionKind::Tabbed) {}

  // A tab button: shows that tab's children.
  void inDetailsSelectedTab(int tab) { selectTab(tab); }
};

}  // namespace kelda::product
