// CollectionViewsDelegate: how the pages of a collection page reach their container
// (CollectionViewsController or TabCollectionViewsController): the container's own answer of
// the collection, turning to another page, and opening the simple product page of a child
// whose answer has just arrived. A page calls its own container directly, so a collection page
// open in another tab never reacts. Main thread only.
#pragma once

#include "json/Value.hpp"
#include "product/ReviewsDelegate.hpp"

namespace kelda::product {

class CollectionViewsDelegate : public ReviewsDelegate {
 public:
  // The collection's product answer, kept by the container since it was opened.
  virtual const json::Value& collectionAnswer() const = 0;
  // Scrolls to `page` and shows it (the parent row turns to the details page, 1).
  virtual void applyingNewIndex(int page) = 0;
  // The chosen child's answer is the shared productDescriptionList: opens the simple product
  // page for it. `fromIndex` is the page shown again when the shopper comes back.
  virtual void pushingSimplePDPViewsController(int fromIndex) = 0;
};

}  // namespace kelda::product
