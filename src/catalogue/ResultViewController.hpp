// ResultViewController: the paged product list behind a department browse (mode 1, the
// shared categorySearchList) or a text search (mode 2, the shared searchResultsDictionary).
// One section per product, a fallback header after a widened category search, a paging footer
// with "load %@ More", and the product request on a row or picture tap.
//
// Created once by the home and search screens and reused; they set `categoryId`,
// `searchTitle`, the title and `refineSearchFlagWithPageNumber` before pushing it. Main thread
// only; its requests run on workers and hand back through weak references.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "catalogue/BusyOverlayHandle.hpp"
#include "gateway/ProductPageRequest.hpp"
#include "gateway/RequestStatus.hpp"
#include "json/Value.hpp"
#include "ui/ActivityIndicatorView.hpp"
#include "ui/TableView.hpp"
#include "ui/TableViewDataSource.hpp"
#include "ui/ViewController.hpp"

namespace kelda::catalogue {

using gateway::ProductPageRequest;

class ResultViewController : public ui::ViewController,
                             public ui::TableViewDataSource,
                             public ui::TableViewDelegate {
 public:
  ResultViewController() = default;

  // The category id (mode 1) or the search phrase (mode 2) of the list.
  std::string categoryId;
  std::string searchTitle;
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
  // The answer the list shows in its mode.
  json::Value currentAnswer() const;

  // The paging footer's action: loads the next page and appends it.
  void loadMore();
  // A tap on a product's picture (no availability test).
  void thumbImageAction(int section);

  // TableViewDataSource / TableViewDelegate.
  int numberOfSectionsInTableView(ui::TableView&) override;
  int numberOfRowsInSection(ui::TableView&, int section) override;
  std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView&,
                                                           ui::IndexPath indexPath) override;
  void didSelectRowAtIndexPath(ui::TableView&, ui::IndexPath indexPath) override;

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;

 private:
  void decideMode();
  void rebuildHeader();
  void rebuildFooter();
  void refreshList();
  void stopAnimatorForRefresh();
  void requestProduct(int section, bool fromImage);
  void productArrived(gateway::RequestStatus status, bool fromImage);

  std::shared_ptr<ui::TableView> table_;
  std::shared_ptr<ui::ActivityIndicatorView> footerSpinner_;
  BusyOverlayHandle overlay_;
  long long mode_ = 1;
};

}  // namespace kelda::catalogue
