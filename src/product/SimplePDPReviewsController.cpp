#include "product/SimplePDPReviewsController.hpp"

#include <algorithm>
#include <string>

#include "gateway/ExceptionGuard.hpp"
#include "gateway/TarnObjects.hpp"
#include "platform/TaskAndReply.hpp"
#include "product/CustomProductReviewCell.hpp"
#include "product/ProductRequests.hpp"

namespace kelda::product {
namespace {

gateway::TarnObjects& state() {
  return gateway::TarnObjects::sharedInstance();
}

}  // namespace

std::shared_ptr<ui::View> SimplePDPReviewsController::loadView() {
  auto root = RowTableController::loadView();
  notice_ = root->add<ui::Label>(kNoReviewsNotice, ui::TextStyle::Bold);
  notice_->identifier = "noReviews";
  notice_->numberOfLines = 0;
  notice_->hidden = true;
  return root;
}

void SimplePDPReviewsController::setReviewsPageNumberAndCount() {
  const json::Value product = state().productDescriptionList()["data"][0];
  reviewCount_ = product["reviewCount"].intValue();
  reviewPageNumber_ = product["reviewPageNumber"].intValue();
  reviewPageLimit_ = product["reviewPageLimit"].intValue();
  totalPages_ = product["total_pages"].intValue();
}

void SimplePDPReviewsController::loadMore() {
  const json::Value reviews = state().productDescriptionList()["reviews"];
  long long room = std::max(0LL, reviewCount_ - static_cast<long long>(reviewsArray_.size()));
  if (reviewPageLimit_ > 0) room = std::min(room, reviewPageLimit_);
  // An array shorter than the counters announce gives what it has; entries that are not
  // reviews are left out.
  for (json::Value review : reviews.items()) {
    if (room == 0) break;
    if (!review.isObject()) continue;
    reviewsArray_.push_back(review);
    --room;
  }
}

bool SimplePDPReviewsController::showsMoreReviews() const {
  return reviewCount_ > 0 && reviewPageNumber_ <= totalPages_;
}

void SimplePDPReviewsController::reloadMyTable() {
  view();
  if (!loaded_) {
    loaded_ = true;
    setReviewsPageNumberAndCount();
    if (reviewCount_ > 0) loadMore();
  }
  notice_->hidden = reviewCount_ > 0;
  reloadRows();
}

void SimplePDPReviewsController::moreReviews() {
  if (loading_ || !showsMoreReviews()) return;
  loading_ = true;
  reloadRows();
  const std::string page = std::to_string(reviewPageNumber_);
  platform::postTaskAndReply(
      platform::weakFrom(this),
      [page] { return ProductRequests::resultForLoadMoreReviewsProductDescription(page); },
      [](SimplePDPReviewsController& screen, RequestStatus status) {
        screen.pageArrived(status == RequestStatus::Answered);
      });
}

void SimplePDPReviewsController::pageArrived(bool answered) {
  loading_ = false;
  // Without the page the list stays as it was.
  if (answered) {
    setReviewsPageNumberAndCount();
    loadMore();
  }
  reloadRows();
}

TableRow SimplePDPReviewsController::moreReviewsRow() {
  auto cell = std::make_shared<ui::TableViewCell>();
  cell->textLabel().text = kMoreReviews;
  cell->showsActivity = loading_;
  if (loading_) cell->textLabel().textColor = ui::Color::gray(0.6);
  return {cell, [this] { moreReviews(); }};
}

std::vector<TableSection> SimplePDPReviewsController::buildSections() {
  std::vector<TableSection> sections;
  if (reviewCount_ <= 0) return sections;
  for (const json::Value& review : reviewsArray_) {
    auto cell =
        std::make_shared<CustomProductReviewCell>(review, CustomProductReviewCell::Form::Cut);
    sections.push_back({"",
                        {{cell,
                          [this, review] {
                            state().setPdpReviewsDictionary(review);
                            container_.pushingPDPReviews();
                          }}},
                        nullptr});
  }
  if (showsMoreReviews()) sections.push_back({"", {moreReviewsRow()}, nullptr});
  return sections;
}

}  // namespace kelda::product
