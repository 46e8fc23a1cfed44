#include "catalogue/ResultViewController.hpp"

#include <utility>

#include "catalogue/CatalogueRequests.hpp"
#include "catalogue/LandingRequests.hpp"
#include "catalogue/NothingFoundAlert.hpp"
#include "catalogue/RefineSearchViewController.hpp"
#include "catalogue/RefinementRequests.hpp"
#include "catalogue/ResultAsyncCell.hpp"
#include "catalogue/SalesRequests.hpp"
#include "catalogue/ScreenParts.hpp"
#include "catalogue/SearchTitle.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/ScreenLinks.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "platform/TaskAndReply.hpp"
#include "product/ProductRequests.hpp"
#include "ui/BarButtonItem.hpp"
#include "ui/Button.hpp"
#include "ui/Label.hpp"
#include "ui/NavigationController.hpp"
#include "ui/TabBarController.hpp"

namespace kelda::catalogue {
namespace {

using gateway::TarnObjects;
using gateway::TarnServerAPIs;

constexpr long long kCategoryMode = 1;
constexpr long long kSearchMode = 2;
constexpr int kHomeTab = 0;
constexpr int kSearchTab = 1;
// oldIndex while no value row is marked.
constexpr long long kNoValueRow = 10000;

TarnObjects& state() {
  return TarnObjects::sharedInstance();
}

// The next page of a list that no refinement narrows.
RequestStatus plainPage(ResultList list, const std::string& pageNumber, const std::string& id) {
  switch (list) {
    case ResultList::Sales:
      return SalesRequests::updateSalesResultsPage(pageNumber, id);
    case ResultList::Landing:
      return LandingRequests::updateCtrResultsPage(pageNumber, id);
    case ResultList::Category:
    case ResultList::Search:
      break;
  }
  return CatalogueRequests::updateResultsPage(pageNumber, id);
}

}  // namespace

ui::TableView& ResultViewController::tableView() {
  view();
  return *table_;
}

json::Value ResultViewController::currentAnswer() const {
  return listAnswer(shownList());
}

ResultList ResultViewController::shownList() const {
  if (fixedList_) return *fixedList_;
  return mode_ == kSearchMode ? ResultList::Search : ResultList::Category;
}

ResultList ResultViewController::tappedList() const {
  if (fixedList_) return *fixedList_;
  return flag == kSearchMode ? ResultList::Search : ResultList::Category;
}

std::shared_ptr<ui::View> ResultViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  table_ = addTable(*root, *this);
  setPopButton(*this, "Back");
  auto refine = std::make_shared<ui::BarButtonItem>("Refine", [this] { refineYourResult(); });
  refine->imageName = "sort_btn.png";
  navigationItem().rightBarButtonItem = refine;
  return root;
}

void ResultViewController::viewWillAppear(bool) {
  gateway::guarded("-[ResultViewController viewWillAppear:]", [&] {
    decideMode();
    refreshList();
    rebuildHeader();
    if (const char* page = pageId())
      TarnServerAPIs::sharedInstance().coremetricsStaticPageViewTag(page);
  });
}

void ResultViewController::decideMode() {
  if (fixedList_) {
    navigationItem().title = title();
    return;
  }
  const int tab = tabBarController() != nullptr ? tabBarController()->selectedIndex() : kHomeTab;
  if (state().searchPageFlag() == 2) {
    navigationItem().title = state().searchTitle().str();
  } else if (tab == kHomeTab) {
    navigationItem().title = title();
    state().setPageFlag(kCategoryMode);
  } else if (tab == kSearchTab) {
    navigationItem().title = state().searchTitle().str();
    state().setPageFlag(kSearchMode);
  }
  mode_ = state().pageFlag() == kSearchMode ? kSearchMode : kCategoryMode;
}

void ResultViewController::rebuildHeader() {
  if (mode_ == kCategoryMode) {
    showFallbackHeader(state().category1().describe());
    return;
  }
  table_->tableHeaderView = nullptr;
  if (productCount(currentAnswer()) == 0) showNothingFoundAlert();
}

void ResultViewController::showFallbackHeader(const std::string& category) {
  table_->tableHeaderView = nullptr;
  const long long resultType = state().resultType();
  if (resultType != 2 && resultType != 3) return;
  auto header = std::make_shared<ui::Label>(
      "Sorry, " + state().brand1().describe() + " " + category +
      " are not available in your price range. Here are the available options");
  header->numberOfLines = 0;
  header->identifier = "fallback";
  table_->tableHeaderView = header;
}

void ResultViewController::rebuildFooter() {
  auto footer = pagingFooter(currentAnswer());
  footerSpinner_ = nullptr;
  if (!footer) {
    table_->tableFooterView = nullptr;
    return;
  }
  auto view = std::make_shared<ui::View>();
  view->add<ui::Label>(resultsFoundText(*footer));
  auto more = view->add<ui::Button>(footer->loadMore, [this](ui::Button&) { loadMore(); });
  more->identifier = "loadMore";
  footerSpinner_ = view->add<ui::ActivityIndicatorView>(ui::ActivityIndicatorStyle::Gray);
  table_->tableFooterView = view;
}

void ResultViewController::refreshList() {
  noOfSections = static_cast<int>(productCount(currentAnswer()));
  rebuildFooter();
  table_->reloadData();
}

void ResultViewController::loadMore() {
  gateway::guarded("-[ResultViewController loadMore:]", [&] {
    overlay_.show();
    if (footerSpinner_) footerSpinner_->startAnimating();
    const ResultList list = shownList();
    const std::string pageNumber = pagingFacts(currentAnswer())["pageNumber"].describe();
    const std::string id =
        list == ResultList::Search ? phraseFromSearchTitle(searchTitle) : categoryId;
    // A narrowed list pages with its own refinements, never with another list's.
    const bool refined = refineSearchFlagWithPageNumber == 1;
    // A page that does not arrive leaves the list as it was; the redraw is the same.
    platform::postTaskAndReply(
        platform::weakFrom(this),
        [list, pageNumber, id, refined, refinements = refinedWith_] {
          return refined ? RefinementRequests::refinedPage(list, pageNumber, id, refinements)
                         : plainPage(list, pageNumber, id);
        },
        [](ResultViewController& screen, RequestStatus) { screen.stopAnimatorForRefresh(); });
  });
}

void ResultViewController::stopAnimatorForRefresh() {
  overlay_.hide();
  if (footerSpinner_) footerSpinner_->stopAnimating();
  refreshList();
}

void ResultViewController::refineYourResult() {
  gateway::guarded("-[ResultViewController refineYourResult:]", [&] {
    if (!refine_) {
      refine_ = std::make_shared<RefineSearchViewController>();
      refine_->onFiltered = [self = platform::weakFrom(this)](const json::Value& sent) {
        auto screen = self.lock();
        if (!screen) return;
        screen->refineSearchFlagWithPageNumber = sent.empty() ? 0 : 1;
        screen->refinedWith_ = sent;
        // Back to the un-narrowed list: its header explains its own search again.
        if (sent.empty()) {
          state().setResultType(screen->plainResultType_);
          state().setBrand1(screen->plainBrand_);
        }
      };
    }
    // While the list is un-narrowed, what its header explains is its own search.
    if (refineSearchFlagWithPageNumber == 0) {
      plainResultType_ = state().resultType();
      plainBrand_ = state().brand1();
    }
    state().setOldIndex(kNoValueRow);
    const ResultList list = shownList();
    const std::string id =
        list == ResultList::Search ? phraseFromSearchTitle(searchTitle) : categoryId;
    // The top-rated list starts every visit from no choice.
    const bool keepChoices = refineSearchFlagWithPageNumber == 1 && list != ResultList::Landing;
    refine_->prepare(list, id, navigationItem().title, keepChoices);
    pushScreen(*this, refine_);
  });
}

int ResultViewController::numberOfSectionsInTableView(ui::TableView&) {
  return noOfSections;
}

int ResultViewController::numberOfRowsInSection(ui::TableView&, int) {
  return 1;
}

std::shared_ptr<ui::TableViewCell> ResultViewController::cellForRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
  auto cell = std::make_shared<ResultAsyncCell>(indexPath.section);
  cell->fill(products(currentAnswer())[static_cast<std::size_t>(indexPath.section)]);
  if (picturesOpenProducts()) {
    cell->onImageTap = [self = platform::weakFrom(this), section = indexPath.section] {
      if (auto screen = self.lock()) screen->thumbImageAction(section);
    };
  } else {
    cell->imageButton().hidden = true;
  }
  return cell;
}

void ResultViewController::didSelectRowAtIndexPath(ui::TableView& tableView,
                                                   ui::IndexPath indexPath) {
  gateway::guarded("-[ResultViewController tableView:didSelectRowAtIndexPath:]", [&] {
    flag = state().pageFlag();
    json::Value product =
        products(listAnswer(tappedList()))[static_cast<std::size_t>(indexPath.section)];
    if (product["available"].intValue() == 1) requestProduct(indexPath.section, false);
  });
  tableView.deselectRowAtIndexPath(indexPath, true);
}

void ResultViewController::thumbImageAction(int section) {
  gateway::guarded("-[ResultViewController thumbImageAction:]", [&] {
    flag = state().pageFlag();
    requestProduct(section, true);
  });
}

void ResultViewController::requestProduct(int section, bool fromImage) {
  json::Value product = products(listAnswer(tappedList()))[static_cast<std::size_t>(section)];
  overlay_.show();
  platform::postTaskAndReply(
      platform::weakFrom(this),
      [product, context = productContextFor(tappedList())] {
        applyProductContext(context);
        return product::ProductRequests::resultForProductDescription(
            product["prodId"].str(), context.coreMetricsCategoryId, context.categoryFlag);
      },
      [fromImage](ResultViewController& screen, RequestStatus status) {
        screen.productArrived(status, fromImage);
      });
}

void ResultViewController::productArrived(RequestStatus status, bool fromImage) {
  overlay_.hide();
  // Only this request's own answer opens a page.
  if (status != RequestStatus::Answered) return;
  json::Value answer = state().productDescriptionList();
  if (answer.empty()) return;
  state().setPdpTabFlag("1");
  applyProductContext(productContextFor(tappedList()));
  const std::string kind = answer["PDPFLAG"].str();
  if (kind != "SIMPLE" && kind != "ITEM" && kind != "TAB") return;
  ProductPageRequest page{kind, std::nullopt, fromImage};
  if (fromImage) {
    page.startPage = 3;
  } else if (kind != "SIMPLE") {
    page.startPage = 0;
  }
  lastProductPage = page;
  if (openProductPage) {
    openProductPage(page);
  } else if (auto& open = gateway::ScreenLinks::shared().openProductPage; open) {
    if (auto* navigation = navigationController()) open(*navigation, page);
  }
}

}  // namespace kelda::catalogue
