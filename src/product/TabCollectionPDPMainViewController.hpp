// TabCollectionPDPMainViewController: the main page of a tabbed collection: as the plain one,
// with the children of the selected tab and the tab strip under the summary.
// Main thread only.
#pragma once

#include "product/CollectionPDPMainViewController.hpp"

namespace kelda::product {

class TabCollectionPDPMainViewController : public CollectionPDPMainViewController {
 public:
  explicit TabCollectionPDPMainViewController(CollectionViewsDelegate& container)
      : CollectionPDPMainViewController(container, CollectionKind::Tabbed) {}

  // A tab button: shows that tab's children.
  void tabSelected(int tab) { selectTab(tab); }
};

}  // namespace kelda::product
