// SubCategoryResultViewController: the result list of a sale category (the shared
// salesResultDictionary): the result list's rows, paging, refinement and product opening, with
// the sales page-view tag, sales paging, and products reported as "SALE" with the sale category
// chosen.
//
// Created by the sales screens on first use and reused; main thread only.
#pragma once

#include <memory>

#include "catalogue/ResultViewController.hpp"
#include "gateway/RequestStatus.hpp"
#include "json/Value.hpp"

namespace kelda::catalogue {

class SubCategoryResultViewController : public ResultViewController {
 public:
  static constexpr const char* kPageId = "mobile.sales.results.search";

  SubCategoryResultViewController() : ResultViewController(ResultList::Sales) {}

 protected:
  // The widened-search header names the sale category rather than a browsed one.
  void rebuildHeader() override;
  const char* pageId() const override { return kPageId; }
};

// After the sales results of `category` (its "col1id" and "col1name") were asked for: pushes
// `list` (created when null) onto `from`'s navigation stack titled with the category, or shows
// the apology when no product came. Nothing happens without a connection.
void showSalesResults(ui::ViewController& from,
                      std::shared_ptr<SubCategoryResultViewController>& list,
                      gateway::RequestStatus status, const json::Value& category);

}  // namespace kelda::catalogue
