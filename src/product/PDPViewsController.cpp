#include "product/PDPViewsController.hpp"

#include <algorithm>
#include <climits>
#include <string>

#include "bag/AddToBagItemAttribute.hpp"
#include "bag/Money.hpp"
#include "gateway/Components.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/GlobalFlags.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "product/AddToBagController.hpp"
#include "product/ArticleFacts.hpp"
#include "product/BagAdding.hpp"
#include "product/FindInStoreRecord.hpp"
#include "product/PDPMoreViewController.hpp"
#include "product/PDPReviewsViewController.hpp"
#include "product/ShownProduct.hpp"
#include "product/SimpleMainViewController.hpp"
#include "product/SimplePDPDetailsViewController.hpp"
#include "product/SimplePDPReviewsController.hpp"
#include "product/SizeColorQuantityController.hpp"
#include "product/TextCut.hpp"
#include "stores/FindInStoreViewController.hpp"
#include "support/PoliciesViewController.hpp"
#include "support/RetailerPages.hpp"
#include "ui/ImageView.hpp"
#include "ui/NavigationController.hpp"

namespace kelda::product {
namespace {

using gateway::GlobalFlags;
using gateway::TarnObjects;

TarnObjects& state() {
  return TarnObjects::sharedInstance();
}

// The page-view tag of each page (the main page has none).
const char* pageId(int page) {
  switch (page) {
    case PDPViewsController::kDetailsPage:
      return "mobile.details.pdp";
    case PDPViewsController::kReviewsPage:
      return "mobile.reviews.pdp";
    case PDPViewsController::kMoreImagesPage:
      return "mobile.zoom.image.pdp";
    default:
      return nullptr;
  }
}

json::Value selectedValue(ChoiceMode mode) {
  switch (mode) {
    case ChoiceMode::Size:
      return state().pdpSelectedSize();
    case ChoiceMode::Color:
      return state().pdpSelectedColor();
    case ChoiceMode::Type:
      return state().pdpSelectedType();
    case ChoiceMode::Quantity:
      break;
  }
  return state().pdpSelectedQty();
}

void clearSelections() {
  state().setPdpSelectedSize({});
  state().setPdpSelectedColor({});
  state().setPdpSelectedType({});
  state().setPdpSelectedQty({});
}

}  // namespace

PDPViewsController::PDPViewsController()
    : answer_(state().productDescriptionList()),
      offered_(OfferedLists::fromSharedState()),
      choice_(ProductChoice::initialFor(offered_)),
      picker_(std::make_shared<SizeColorQuantityController>()),
      addToBag_(std::make_shared<AddToBagController>()),
      review_(
          std::make_shared<PDPReviewsViewController>([this] { applyingNewIndex(kReviewsPage); })),
      policy_(std::make_shared<support::PoliciesViewController>()),
      pages_(*this, kPages, [this](int index) { return makePage(index); }) {
  setTitle(cutText(answer_["data"][0]["prodName"].str(), kTitleLimit));
  navigationItem().backBarButtonItem = std::make_shared<ui::BarButtonItem>("Previous");
  picker_->didChoose = [this](ChoiceMode mode) { pendingChoice_ = mode; };
  // The choices made on an earlier product page do not carry over to this one.
  clearSelections();
}

PDPViewsController::~PDPViewsController() = default;

void PDPViewsController::viewWillDisappear(bool animated) {
  ui::ViewController::viewWillDisappear(animated);
  if (GlobalFlags::shared().fromIndex <= kReviewsPage) return;
  clearSelections();
  picker_ = std::make_shared<SizeColorQuantityController>();
  picker_->didChoose = [this](ChoiceMode mode) { pendingChoice_ = mode; };
}

int PDPViewsController::currentPage() const {
  return pages_.current();
}

std::shared_ptr<RowTableController> PDPViewsController::page(int index) const {
  return pages_.page(index);
}

SimplePDPReviewsController* PDPViewsController::reviewsPage() const {
  return dynamic_cast<SimplePDPReviewsController*>(page(kReviewsPage).get());
}

std::shared_ptr<ui::View> PDPViewsController::loadView() {
  auto root = std::make_shared<ui::View>();
  pages_.addTo(*root, [this](int index) {
    gateway::guarded("-[PDPViewsController pageChanged:]", [&] { showPage(index); });
  });
  return root;
}

void PDPViewsController::viewWillAppear(bool) {
  gateway::guarded("-[PDPViewsController viewWillAppear:]", [&] {
    restoreShownProduct(answer_);
    if (pendingChoice_) {
      const ChoiceMode mode = *pendingChoice_;
      pendingChoice_.reset();
      applyChoice(mode);
    }
    auto& flags = GlobalFlags::shared();
    if (flags.fromReviews.exchange(false)) {
      showPage(currentPage());
      return;
    }
    const int from = flags.fromIndex;
    if (from == kMainPage || from == kDetailsPage) {
      showPage(from);
      return;
    }
    for (int index : {kMainPage, kDetailsPage, kMoreImagesPage}) preparePage(index);
    showPage(pageIndex);
  });
}

std::shared_ptr<RowTableController> PDPViewsController::makePage(int index) {
  switch (index) {
    case kMainPage:
      return std::make_shared<SimpleMainViewController>(*this);
    case kDetailsPage:
      return std::make_shared<SimplePDPDetailsViewController>(*this);
    case kReviewsPage:
      return std::make_shared<SimplePDPReviewsController>(*this);
    default:
      return std::make_shared<PDPMoreViewController>();
  }
}

void PDPViewsController::preparePage(int index) {
  view();
  pages_.prepare(index);
}

void PDPViewsController::showPage(int index) {
  if (index < 0 || index >= kPages) index = kMainPage;
  view();
  pages_.scrollTo(index);
  if (index != shownPage_) {
    shownPage_ = index;
    if (const char* id = pageId(index)) {
      gateway::TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(id);
    }
  }
  if (index == kReviewsPage) reviewsPage()->reloadMyTable();
}

void PDPViewsController::applyingNewIndex(int index) {
  gateway::guarded("-[PDPViewsController applyingNewIndex:]", [&] { showPage(index); });
}

void PDPViewsController::applyChoice(ChoiceMode mode) {
  const json::Value value = selectedValue(mode);
  if (!value.isString()) return;
  choice_.of(mode) = value.str();
  if (eligibilityDueAfter(mode, choice_, offered_)) checkForAvailability();
  redrawChoicePages();
}

void PDPViewsController::checkForAvailability() {
  const std::optional<ArticleFacts> article = ArticleFacts::find(answer_, choice_);
  inStoreEligible_ = article && article->inStoreEligible();
}

void PDPViewsController::redrawChoicePages() {
  pages_.reload({kMainPage, kDetailsPage});
}

void PDPViewsController::push(const std::shared_ptr<ui::ViewController>& screen) {
  if (auto* navigation = navigationController()) navigation->pushViewController(screen, true);
}

void PDPViewsController::pushingSizeColorQuantityController(ChoiceMode mode, int fromPage) {
  GlobalFlags::shared().fromIndex = fromPage;
  auto* navigation = navigationController();
  if (navigation == nullptr) return;
  if (navigation->contains(*picker_)) navigation->popToViewController(*this, false);
  picker_->openFor(mode, offered_.of(mode));
  push(picker_);
}

void PDPViewsController::pushingAddToBag(int fromPage) {
  gateway::guarded("-[PDPViewsController addToBag:]", [&] {
    auto& flags = GlobalFlags::shared();
    flags.fromIndex = fromPage;
    if (auto message = missingChoiceMessage(choice_, offered_, ChoicePurpose::AddToBag)) {
      gateway::Components::sharedInstance().showAlertWithMessage(*message);
      return;
    }
    const long long wanted = bag::integerValue(choice_.qty);
    const int quantity = static_cast<int>(std::min<long long>(wanted, INT_MAX));
    const std::optional<AddedArticle> added = addItemToBag(answer_, choice_, quantity);
    if (!added) return;
    flags.subTotalCents =
        bag::addCents(flags.subTotalCents, bag::multiplyCents(added->unitPriceCents, quantity));
    flags.numberOfItems = static_cast<int>(
        std::min<long long>(static_cast<long long>(flags.numberOfItems) + quantity, INT_MAX));
    push(addToBag_);
  });
}

void PDPViewsController::pushingFindItInStore(int fromPage) {
  gateway::guarded("-[PDPViewsController findItInStore:]", [&] {
    GlobalFlags::shared().fromIndex = fromPage;
    auto& components = gateway::Components::sharedInstance();
    if (auto message = missingChoiceMessage(choice_, offered_, ChoicePurpose::FindInStore)) {
      components.showAlertWithMessage(*message);
      return;
    }
    const std::optional<ArticleFacts> article = ArticleFacts::find(answer_, choice_);
    if (!article || !article->inStoreEligible()) {
      components.showAlertWithMessage(kNotInStoresMessage);
      return;
    }
    push(stores::FindInStoreViewController::create(findInStoreRecord(answer_, choice_, *article)));
  });
}

void PDPViewsController::pushingPolicyView(int fromPage) {
  GlobalFlags::shared().fromIndex = fromPage;
  policy_->myURL = support::retailerPageURL(support::kPricingPolicyPath);
  push(policy_);
}

void PDPViewsController::pushingPDPReviews() {
  GlobalFlags::shared().fromReviews = true;
  push(review_);
}

}  // namespace kelda::product
