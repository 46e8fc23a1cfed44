// SimplePDPReviewsController: page 2 of the simple product page: the shoppers' reviews, one
// page at a time. The first page comes inside the product answer; a last row "More Reviews"
// (shown while the page number the last answer carried does not exceed "total_pages") fetches
// the next page and appends it. A product without reviews shows the notice "There are currently
// no reviews for this product." over the page. A tap on a review opens it in full.
//
// Made and owned by a product page (PDPViewsController, or a collection page as its
// CollectionPDPReviewsController), which calls reloadMyTable() whenever the page comes
// into view. Main thread only; the next page is fetched on a worker.
#pragma once

#include <memory>
#include <vector>

#include "json/Value.hpp"
#include "product/ReviewsDelegate.hpp"
#include "product/RowTableController.hpp"
#include "ui/Label.hpp"

namespace kelda::product {

class SimplePDPReviewsController : public RowTableController {
 public:
  static constexpr const char* kNoReviewsNotice =
      "There are currently no reviews for this product.";
  static constexpr const char* kMoreReviews = "More Reviews";

  explicit SimplePDPReviewsController(ReviewsDelegate& container) : container_(container) {}

  // The page came into view: the first time, reads the counters and appends the first page's
  // reviews (or shows the notice); afterwards redraws what it has.
  void reloadMyTable();
  // The "More Reviews" row: asks for the page the last answer named and appends it. Nothing
  // while a page is on its way.
  void moreReviews();

  const std::vector<json::Value>& reviewsArray() const { return reviewsArray_; }
  bool showsMoreReviews() const;
  bool noticeShown() const { return notice_ && !notice_->hidden; }

 protected:
  std::shared_ptr<ui::View> loadView() override;
  std::vector<TableSection> buildSections() override;

 private:
  // Re-reads "reviewCount", "reviewPageNumber", "reviewPageLimit" and "total_pages".
  void setReviewsPageNumberAndCount();
  // Appends the current answer's reviews: at most a page's worth, and no more than
  // "reviewCount" announces in all.
  void loadMore();
  void pageArrived(bool answered);
  TableRow moreReviewsRow();

  ReviewsDelegate& container_;
  std::vector<json::Value> reviewsArray_;
  long long reviewCount_ = 0;
  long long reviewPageNumber_ = 0;
  long long reviewPageLimit_ = 0;
  long long totalPages_ = 0;
  bool loaded_ = false;
  bool loading_ = false;
  std::shared_ptr<ui::Label> notice_;
};

}  // namespace kelda::product
