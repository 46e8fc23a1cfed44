#include "catalogue/ResultViewController.hpp"

#include <utility>

#include "catalogue/CatalogueRequests.hpp"
#include "catalogue/ResultAnswer.hpp"
#include "catalogue/ResultAsyncCell.hpp"
#include "catalogue/SearchTitle.hpp"
#include "gateway/ExceptionGuard.hpp"
#include "gateway/ScreenLinks.hpp"
#include "gateway/TarnObjects.hpp"
#include "gateway/TarnServerAPIs.hpp"
#include "platform/TaskAndReply.hpp"
#include "product/ProductRequests.hpp"
#include "ui/AlertView.hpp"
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

TarnObjects& state() {
  return TarnObjects::sharedInstance();
}

// The analytics context handed to the product request: the browsed subcategory for category
// results, none for a search.
void setProductContext(long long mode) {
  if (mode == kCategoryMode) {
    state().setCategoryFlag("BROWSE_WHEEL");
    state().setCoreMetricsCategoryId(state().browsecategoryFlag());
  } else {
    state().setCategoryFlag("SEARCH");
    state().setCoreMetricsCategoryId("");
  }
}

json::Value answerForMode(long long mode) {
  return mode == kCategoryMode ? state().categorySearchList() : state().searchResultsDictionary();
}

}  // namespace

ui::TableView& ResultViewController::tableView() {
  view();
  return *table_;
}

json::Value ResultViewController::currentAnswer() const {
  return answerForMode(mode_);
}

std::shared_ptr<ui::View> ResultViewController::loadView() {
  auto root = std::make_shared<ui::View>();
  table_ = root->add<ui::TableView>(ui::TableViewStyle::Plain);
  table_->dataSource = this;
  table_->delegate = this;
  navigationItem().leftBarButtonItem = std::make_shared<ui::BarButtonItem>("Back", [this] {
    if (auto* navigation = navigationController()) navigation->popViewControllerAnimated(true);
  });
  auto refine = std::make_shared<ui::BarButtonItem>("Refine");
  refine->imageName = "sort_btn.png";
  navigationItem().rightBarButtonItem = refine;
  return root;
}

void ResultViewController::viewWillAppear(bool) {
  gateway::guarded("-[ResultViewController viewWillAppear:]", [&] {
    decideMode();
    refreshList();
    rebuildHeader();
  });
}

void ResultViewController::decideMode() {
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
  table_->tableHeaderView = nullptr;
  if (mode_ == kCategoryMode) {
    const long long resultType = state().resultType();
    if (resultType == 2 || resultType == 3) {
      auto header = std::make_shared<ui::Label>(
          "Sorry, " + state().brand1().describe() + " " + state().category1().describe() +
          " are not available in your price range. Here are the available options");
      header->numberOfLines = 0;
      header->identifier = "fallback";
      table_->tableHeaderView = header;
    }
  } else if (productCount(currentAnswer()) == 0) {
    ui::showAlert(
        ui::AlertView{"Sorry !",
                      "We're sorry, we couldn't find any items that matched your search term.",
                      {"OK"},
                      0,
                      nullptr});
  }
}

void ResultViewController::rebuildFooter() {
  auto footer = pagingFooter(currentAnswer());
  footerSpinner_ = nullptr;
  if (!footer) {
    table_->tableFooterView = nullptr;
    return;
  }
  auto view = std::make_shared<ui::View>();
  view->add<ui::Label>(footer->resultsFound);
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
    const std::string pageNumber = pagingFacts(currentAnswer())["pageNumber"].describe();
    const std::string id = mode_ == kCategoryMode ? categoryId : phraseFromSearchTitle(searchTitle);
    // A page that does not arrive leaves the list as it was; the redraw is the same.
    platform::postTaskAndReply(
        platform::weakFrom(this),
        [pageNumber, id] { return CatalogueRequests::updateResultsPage(pageNumber, id); },
        [](ResultViewController& screen, RequestStatus) { screen.stopAnimatorForRefresh(); });
  });
}

void ResultViewController::stopAnimatorForRefresh() {
  overlay_.hide();
  if (footerSpinner_) footerSpinner_->stopAnimating();
  refreshList();
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
  cell->onImageTap = [self = platform::weakFrom(this), section = indexPath.section] {
    if (auto screen = self.lock()) screen->thumbImageAction(section);
  };
  return cell;
}

void ResultViewController::didSelectRowAtIndexPath(ui::TableView& tableView,
                                                   ui::IndexPath indexPath) {
  gateway::guarded("-[ResultViewController tableView:didSelectRowAtIndexPath:]", [&] {
    flag = state().pageFlag();
    json::Value product =
        products(answerForMode(flag))[static_cast<std::size_t>(indexPath.section)];
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
  json::Value product = products(answerForMode(flag))[static_cast<std::size_t>(section)];
  overlay_.show();
  platform::postTaskAndReply(
      platform::weakFrom(this),
      [product, mode = flag] {
        setProductContext(mode);
        return product::ProductRequests::resultForProductDescription(
            product["prodId"].str(), state().coreMetricsCategoryId().str(),
            state().categoryFlag().str());
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
  setProductContext(flag);
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
