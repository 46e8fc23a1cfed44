// PDPReviewsViewController: one review in full (the shared pdpReviewsDictionary), titled with
// the product's name (18 characters, then "..."), with a footer button back to the reviews.
// Going back returns to the product page's reviews page.
//
// Pushed by PDPViewsController over the product page; main thread only.
#pragma once

#include <functional>

#include "product/RowTableController.hpp"

namespace kelda::product {

class PDPReviewsViewController : public RowTableController {
 public:
  static constexpr const char* kBackButton = "BACK TO REVIEWS";

  // `backToReviews` runs when the footer button takes the shopper back (before the pop).
  explicit PDPReviewsViewController(std::function<void()> backToReviews)
      : backToReviews_(std::move(backToReviews)) {}

 protected:
  void viewWillAppear(bool animated) override;
  std::vector<TableSection> buildSections() override;

 private:
  std::function<void()> backToReviews_;
};

}  // namespace kelda::product
