// ResultViewController: the paged product list behind a department browse (mode 1, the
// shared categorySearchList) or a text search (mode 2, the shared searchResultsDictionary).
// One section per product, a fallback header after a widened category search, a paging footer
// with "load %@ More", the refine button that opens the refinement screen, and the product
// request on a row or picture tap.
//
// The sales list and the top-rated landing list are variants of this screen on an answer of
// their own (SubCategoryResultViewController, CtrResultsViewController); they change the
// header, the footer text, the page-view tag and what a picture tap does.
//
// Created once by the home and search screens and reused; they set `categoryId`,
// `searchTitle`, the title and `refineSearchFlagWithPageNumber` before pushing it. Main thread
// only; its requests run on workers and hand back through weak references.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "catalogue/ResultAnswer.hpp"
#include "catalogue/ResultLists.hpp"
#include "gateway/ProductPageRequest.hpp"
#include "gateway/RequestStatus.hpp"
#include "json/Value.hpp"
#include "support/BusyOverlayHandle.hpp"
#include "ui/ActivityIndicatorView.hpp"
#include "ui/TableView.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/ViewController.hpp"

namespace kelda::catalogue {

using gateway::ProductPageRequest;

class RefineSearchViewController;

class ResultViewController : public ui::ViewController,
                             public ui::TableViewDataSource,
                             public ui::TableViewDelegate {
 public:
  ResultViewController() = default;

  // The category id (mode 1) or the search phrase (mode 2) of the list.
  std::string categoryId;
  std::string searchTitle;
  // 1 once a refinement has been applied to the list shown: its further pages are then asked
  // with the refinements of that filter. Whoever shows a new list sets it to 0.
  int refineSearchFlagWithPageNumber = 0;
  // The shared pageFlag as of the last tap.
  long long flag = 0;
  int noOfSections = 0;

  // Opens the product page the answer asks for (recorded in lastProductPage). By default the
  // page is pushed through gateway::ScreenLinks::openProductPage.
  std::function<void(const ProductPageRequest&)> openProductPage;
  std::optional<ProductPageRequest> lastProductPage;

  // The list mode decided on the last appearance: 1 category results, 2 search results.
  long long mode() const { return mode_; }
  ui::TableView& tableView();
  // The answer the list shows.
  json::Value currentAnswer() const;
  // The refinements the list's narrowed pages are asked with (those the last filter sent).
  const json::Value& refinedWith() const { return refinedWith_; }

  // The paging footer's action: loads the next page and appends it.
  void loadMore();
  // A tap on a product's picture (no availability test).
  void thumbImageAction(int section);
  // The refine button: opens the refinement screen (created on first use) for this list.
  void refineYourResult();
  std::shared_ptr<RefineSearchViewController> refineSearchViewController() const { return refine_; }

  // TableViewDataSource / TableViewDelegate.
  int numberOfSectionsInTableView(ui::TableView&) override;
  int numberOfRowsInSection(ui::TableView&, int section) override;
  std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&,
                                                           ui::IndexPath indexPath) override;
  void didSelectRowAtIndexPath(ui::TableView&, ui::IndexPath indexPath) override;

 protected:
  // A variant that always shows `list` (sales or top-rated) under its own title.
  explicit ResultViewController(ResultList list) : fixedList_(list) {}

  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;

  // What the variants change.
  virtual void rebuildHeader();
  virtual std::string resultsFoundText(const PagingFooter& footer) const {
    return footer.resultsFound;
  }
  // The page-view tag sent on appearing; none for the browse and search list.
  virtual const char* pageId() const { return nullptr; }
  virtual bool picturesOpenProducts() const { return true; }

  // The list on screen (as decided on appearing).
  ResultList shownList() const;
  // The header explaining a widened category search, naming the brand chosen and `category`,
  // when the shared resultType says the search was widened; no header otherwise.
  void showFallbackHeader(const std::string& category);
  ui::TableView& table() { return *table_; }

 private:
  void decideMode();
  void rebuildFooter();
  void refreshList();
  void stopAnimatorForRefresh();
  ResultList tappedList() const;
  void requestProduct(int section, bool fromImage);
  void productArrived(gateway::RequestStatus status, bool fromImage);

  std::optional<ResultList> fixedList_;
  std::shared_ptr<ui::TableView> table_;
  std::shared_ptr<ui::ActivityIndicatorView> footerSpinner_;
  std::shared_ptr<RefineSearchViewController> refine_;
  json::Value refinedWith_;
  // The shared resultType and brand1 of the un-narrowed list, given back when a filter with
  // nothing chosen shows it again.
  long long plainResultType_ = 1;
  json::Value plainBrand_;
  support::BusyOverlayHandle overlay_;
  long long mode_ = 1;
};

}  // namespace kelda::catalogue
