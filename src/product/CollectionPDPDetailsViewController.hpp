// CollectionPDPDetailsViewController: page 1 of a collection page: the collection's name as a
// header over its "attributes" texts, then one section per child product (a tap opens the
// child), and a footer button "MORE VIEWS & COLORS" that turns to the more-images page.
// TabCollectionPDPDetailsViewController is the tabbed form, with its tab strip under the
// attributes.
//
// Made and owned by the collection container; main thread only.
#pragma once

#include "product/CollectionPageController.hpp"

namespace kelda::product {

class CollectionPDPDetailsViewController : public CollectionPageController {
 public:
  static constexpr int kPage = 1;
  static constexpr const char* kMoreViews = "MORE VIEWS & COLORS";

  explicit CollectionPDPDetailsViewController(CollectionViewsDelegate& container,
                                              CollectionKind kind = CollectionKind::Plain)
      : CollectionPageController(container, kind, kPage) {}

  // "MORE VIEWS & COLORS": the alternative views of the collection (page 3).
  void moreViews();

 protected:
  std::vector<TableSection> buildSections() override;
};

}  // namespace kelda::product
