// CollectionViewsController: the page of a collection product ("ITEM"): four pages the shopper
// swipes between, with a page indicator: 0 main (CollectionPDPMainViewController), 1 details
// (CollectionPDPDetailsViewController), 2 the collection's reviews
// (CollectionPDPReviewsController) and 3 more images (PDPMoreViewController). A page is made the
// first time it is shown. The title is the collection's name (18 characters, then "..."); a
// "Previous" button takes the place of the back button.
//
// Choosing a child opens a simple product page (PDPViewsController) for the child's answer,
// pushed over this page; coming back shows the page the shopper left, and coming back from a
// review in full shows the reviews page. TabCollectionViewsController is the same page for a
// tabbed collection ("TAB").
//
// One per opened collection (ProductPageOpener makes it): it keeps the collection's answer
// from the shared collection list of its kind, and makes that answer the shared
// productDescriptionList again whenever it comes back on screen. Main thread only.
#pragma once

#include <memory>

#include "json/Value.hpp"
#include "product/CollectionChildren.hpp"
#include "product/CollectionViewsDelegate.hpp"
#include "product/LazyPages.hpp"
#include "product/SimplePDPReviewsController.hpp"
#include "ui/ViewController.hpp"

namespace kelda::product {

class PDPReviewsViewController;
class PDPViewsController;

// The collection's reviews page is the simple page's review list.
using CollectionPDPReviewsController = SimplePDPReviewsController;

class CollectionViewsController : public ui::ViewController, public CollectionViewsDelegate {
 public:
  static constexpr int kPages = 4;
  static constexpr int kMainPage = 0;
  static constexpr int kDetailsPage = 1;
  static constexpr int kReviewsPage = 2;
  static constexpr int kMoreImagesPage = 3;
  static constexpr int kNoPage = -1;
  static constexpr std::size_t kTitleLimit = 18;

  explicit CollectionViewsController(CollectionKind kind = CollectionKind::Plain);
  ~CollectionViewsController() override;

  // The page shown when the collection first appears (3 when it was opened by its picture).
  int collectionPageIndex = kMainPage;

  CollectionKind kind() const { return kind_; }
  int currentPage() const;
  // The page shown again on return from a child (0 main, 1 details; kNoPage when none).
  int fromIndex() const { return fromIndex_; }
  // A page's screen; null until the page was first shown.
  std::shared_ptr<RowTableController> page(int index) const;
  CollectionPDPReviewsController* reviewsPage() const;
  // The product page of the child opened last; null before.
  PDPViewsController* childPage() const { return childPage_.get(); }

  // CollectionViewsDelegate.
  const json::Value& collectionAnswer() const override { return answer_; }
  void applyingNewIndex(int page) override;
  void pushingSimplePDPViewsController(int fromIndex) override;
  void pushingPDPReviews() override;

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;

 private:
  std::shared_ptr<RowTableController> makePage(int index);
  void showPage(int index);
  // The page to show as the collection appears.
  int pageOnAppearing();

  CollectionKind kind_;
  json::Value answer_;
  int fromIndex_ = kNoPage;
  bool appeared_ = false;
  std::shared_ptr<PDPViewsController> childPage_;
  std::shared_ptr<PDPReviewsViewController> review_;
  LazyPages pages_;
};

}  // namespace kelda::product
