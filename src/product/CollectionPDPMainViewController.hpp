// CollectionPDPMainViewController: page 0 of a collection page: the collection's summary (the
// product cell of the simple page, drawn from the collection's answer), then one section per
// child product. A tap on the summary turns to the details page; a tap on a child opens it.
// TabCollectionPDPMainViewController is the tabbed form, with its tab strip under the summary.
//
// Made and owned by the collection container; main thread only.
#pragma once

#include "product/CollectionPageController.hpp"

namespace kelda::product {

class CollectionPDPMainViewController : public CollectionPageController {
 public:
  static constexpr int kPage = 0;

  explicit CollectionPDPMainViewController(CollectionViewsDelegate& container,
                                           CollectionKind kind = CollectionKind::Plain)
      : CollectionPageController(container, kind, kPage) {}

 protected:
  std::vector<TableSection> buildSections() override;
};

}  // namespace kelda::product
