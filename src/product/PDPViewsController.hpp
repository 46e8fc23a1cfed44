// PDPViewsController: the simple product page: four pages the shopper swipes between, with a
// page indicator: 0 main (SimpleMainViewController), 1 details (SimplePDPDetailsViewController),
// 2 reviews (SimplePDPReviewsController), 3 more images (PDPMoreViewController). A page is made
// the first time it is shown. The title is the product's name (18 characters, then "...").
//
// It owns the shopper's choice of size, colour, type and quantity for this product, the picker
// that changes it, the added-to-bag screen, the full-review screen and the pricing policy
// screen, and pushes them over itself on its navigation stack. On appearing it shows the page
// the shopper left: the reviews page after a review (`fromReviews`), else the page `fromIndex`
// names (0 main, 1 details), else `pageIndex`.
//
// One per opened product (ProductPageOpener makes it from the shared productDescriptionList);
// it keeps that answer and puts it back as the shared product when it returns to the screen
// after another product was opened elsewhere. Main thread only.
#pragma once

#include <memory>
#include <optional>

#include "json/Value.hpp"
#include "product/LazyPages.hpp"
#include "product/PDPViewsDelegate.hpp"
#include "product/ProductChoice.hpp"
#include "product/RowTableController.hpp"
#include "ui/ViewController.hpp"

namespace kelda::support {
class PoliciesViewController;
}

namespace kelda::product {

class AddToBagController;
class PDPReviewsViewController;
class SimplePDPReviewsController;
class SizeColorQuantityController;

class PDPViewsController : public ui::ViewController, public PDPViewsDelegate {
 public:
  static constexpr int kPages = 4;
  static constexpr int kMainPage = 0;
  static constexpr int kDetailsPage = 1;
  static constexpr int kReviewsPage = 2;
  static constexpr int kMoreImagesPage = 3;
  static constexpr std::size_t kTitleLimit = 18;

  PDPViewsController();
  ~PDPViewsController() override;

  // The page shown when `fromIndex` names neither the main nor the details page.
  int pageIndex = kMainPage;

  int currentPage() const;
  // A page's screen; null until the page was first shown (or prepared).
  std::shared_ptr<RowTableController> page(int index) const;
  SimplePDPReviewsController* reviewsPage() const;
  SizeColorQuantityController& sizeColorQuantityController() const { return *picker_; }
  // Find-in-store eligibility of the chosen article, recomputed as choices are applied.
  bool inStoreEligible() const { return inStoreEligible_; }

  // PDPViewsDelegate.
  const ProductChoice& choice() const override { return choice_; }
  const OfferedLists& offered() const override { return offered_; }
  void pushingSizeColorQuantityController(ChoiceMode mode, int fromPage) override;
  void pushingAddToBag(int fromPage) override;
  void pushingFindItInStore(int fromPage) override;
  void pushingPolicyView(int fromPage) override;
  void pushingPDPReviews() override;
  void applyingNewIndex(int page) override;

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;
  // Leaving for good (`fromIndex` names no page of this screen): the shared selections and the
  // picker's remembered rows are cleared, so no later screen takes this product's choice.
  void viewWillDisappear(bool animated) override;

 private:
  void showPage(int index);
  void preparePage(int index);
  std::shared_ptr<RowTableController> makePage(int index);
  // selectSize: and the like: the picker's shared choice of `mode` becomes this page's.
  void applyChoice(ChoiceMode mode);
  void checkForAvailability();
  void redrawChoicePages();
  void push(const std::shared_ptr<ui::ViewController>& screen);

  json::Value answer_;
  OfferedLists offered_;
  ProductChoice choice_;
  std::optional<ChoiceMode> pendingChoice_;
  bool inStoreEligible_ = false;
  int shownPage_ = -1;
  std::shared_ptr<SizeColorQuantityController> picker_;
  std::shared_ptr<AddToBagController> addToBag_;
  std::shared_ptr<PDPReviewsViewController> review_;
  std::shared_ptr<support::PoliciesViewController> policy_;
  LazyPages pages_;
};

}  // namespace kelda::product
