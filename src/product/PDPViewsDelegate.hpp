// PDPViewsDelegate: how the pages of a product page reach their container (PDPViewsController):
// they ask it to push the screens that leave the page (the picker, the added-to-bag screen, find
// in store, the pricing policy, a review in full) and to turn to another page. `fromPage` is the
// page asking (0 main, 1 details), the page shown again when the shopper comes back.
// Main thread only.
#pragma once

#include "product/ProductChoice.hpp"
#include "product/ReviewsDelegate.hpp"

namespace kelda::product {

class PDPViewsDelegate : public ReviewsDelegate {
 public:
  // The chosen values and offered lists the selection rows show.
  virtual const ProductChoice& choice() const = 0;
  virtual const OfferedLists& offered() const = 0;

  virtual void pushingSizeColorQuantityController(ChoiceMode mode, int fromPage) = 0;
  // "ADD TO BAG": checks the choice, adds the article and shows the added-to-bag screen.
  virtual void pushingAddToBag(int fromPage) = 0;
  virtual void pushingFindItInStore(int fromPage) = 0;
  virtual void pushingPolicyView(int fromPage) = 0;
  virtual void applyingNewIndex(int page) = 0;
};

}  // namespace kelda::product
