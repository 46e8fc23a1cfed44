#include "product/CollectionViewsController.hpp"

#include <utility>

#include "gateway/ExceptionGuard.hpp"
#include "gateway/GlobalFlags.hpp"
#include "gateway/TarnObjects.hpp"
#include "product/PDPMoreViewController.hpp"
#include "product/PDPReviewsViewController.hpp"
#include "product/PDPViewsController.hpp"
#include "product/ShownProduct.hpp"
#include "product/TabCollectionPDPDetailsViewController.hpp"
#include "product/TabCollectionPDPMainViewController.hpp"
#include "product/TextCut.hpp"
#include "ui/NavigationController.hpp"

namespace kelda::product {
namespace {

json::Value sharedAnswerOf(CollectionKind kind) {
  auto& state = gateway::TarnObjects::sharedInstance();
  return kind == CollectionKind::Plain ? state.collectionProductDescriptionList()
                                       : state.tabCollectionProductDescriptionList();
}

}  // namespace

CollectionViewsController::CollectionViewsController(CollectionKind kind)
    : kind_(kind),
      answer_(sharedAnswerOf(kind)),
      review_(
          std::make_shared<PDPReviewsViewController>([this] { applyingNewIndex(kReviewsPage); })),
      pages_(*this, kPages, [this](int index) { return makePage(index); }) {
  setTitle(cutText(answer_["data"][0]["prodName"].str(), kTitleLimit));
  navigationItem().leftBarButtonItem = std::make_shared<ui::BarButtonItem>("Previous", [this] {
    if (auto* navigation = navigationController()) navigation->popViewControllerAnimated(true);
  });
  navigationItem().backBarButtonItem = std::make_shared<ui::BarButtonItem>("Previous");
}

CollectionViewsController::~CollectionViewsController() = default;

int CollectionViewsController::currentPage() const {
  return pages_.current();
}

std::shared_ptr<RowTableController> CollectionViewsController::page(int index) const {
  return pages_.page(index);
}

CollectionPDPReviewsController* CollectionViewsController::reviewsPage() const {
  return dynamic_cast<CollectionPDPReviewsController*>(page(kReviewsPage).get());
}

std::shared_ptr<ui::View> CollectionViewsController::loadView() {
  auto root = std::make_shared<ui::View>();
  pages_.addTo(*root, [this](int index) {
    gateway::guarded("-[CollectionViewsController pageChanged:]", [&] { showPage(index); });
  });
  return root;
}

std::shared_ptr<RowTableController> CollectionViewsController::makePage(int index) {
  const bool tabbed = kind_ == CollectionKind::Tabbed;
  switch (index) {
    case kMainPage:
      if (tabbed) return std::make_shared<TabCollectionPDPMainViewController>(*this);
      return std::make_shared<CollectionPDPMainViewController>(*this);
    case kDetailsPage:
      if (tabbed) return std::make_shared<TabCollectionPDPDetailsViewController>(*this);
      return std::make_shared<CollectionPDPDetailsViewController>(*this);
    case kReviewsPage:
      return std::make_shared<CollectionPDPReviewsController>(*this);
    default:
      return std::make_shared<PDPMoreViewController>();
  }
}

int CollectionViewsController::pageOnAppearing() {
  if (gateway::GlobalFlags::shared().fromCollectionReviews.exchange(false)) return kReviewsPage;
  if (fromIndex_ != kNoPage) return std::exchange(fromIndex_, kNoPage);
  if (!appeared_) return collectionPageIndex;
  return currentPage();
}

void CollectionViewsController::viewWillAppear(bool) {
  gateway::guarded("-[CollectionViewsController viewWillAppear:]", [&] {
    // The pages below read the shared product (reviews, more images): it is this collection
    // again, whatever a child or another product page left there.
    restoreShownProduct(answer_);
    const int page = pageOnAppearing();
    appeared_ = true;
    showPage(page);
  });
}

void CollectionViewsController::showPage(int index) {
  if (index < 0 || index >= kPages) index = kMainPage;
  view();
  pages_.scrollTo(index);
  if (index == kReviewsPage) reviewsPage()->reloadMyTable();
}

void CollectionViewsController::applyingNewIndex(int index) {
  gateway::guarded("-[CollectionViewsController applyingNewIndex:]", [&] { showPage(index); });
}

void CollectionViewsController::pushingSimplePDPViewsController(int fromIndex) {
  auto* navigation = navigationController();
  if (navigation == nullptr) return;
  fromIndex_ = fromIndex;
  // Each child gets a page of its own: a page made for an earlier child would show (and put
  // into the bag) that child.
  childPage_ = std::make_shared<PDPViewsController>();
  gateway::GlobalFlags::shared().fromIndex = PDPViewsController::kMainPage;
  if (navigation->topViewController().get() != this) navigation->popToViewController(*this, false);
  navigation->pushViewController(childPage_, true);
}

void CollectionViewsController::pushingPDPReviews() {
  gateway::GlobalFlags::shared().fromCollectionReviews = true;
  if (auto* navigation = navigationController()) navigation->pushViewController(review_, true);
}

}  // namespace kelda::product
