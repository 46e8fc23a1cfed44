// ReviewsDelegate: how a reviews page (SimplePDPReviewsController) reaches the product page that
// holds it: a tapped review (stored as the shared pdpReviewsDictionary) is shown in full. The
// simple product page and the collection pages both hold a reviews page. Main thread only.
#pragma once

namespace kelda::product {

class ReviewsDelegate {
 public:
  virtual ~ReviewsDelegate() = default;

  // A review row was tapped: shows the shared pdpReviewsDictionary in full and remembers that
  // the page is entered back from a review.
  virtual void pushingPDPReviews() = 0;
};

}  // namespace kelda::product
