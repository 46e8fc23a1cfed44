// CtrResultsViewController: the top-rated product list of a landing-page subcategory (the shared
// ctrResultsDictionary): the result list's rows, paging, refinement and product opening, under a
// header of five stars and "customers' top rated", with "%@ Results Found." in the footer, a
// "filter" button for the refinement screen, and products reported as "TOPRATED". Pictures do
// not open products here.
//
// Created by a subcategory screen on first use and reused; main thread only.
#pragma once

#include <memory>
#include <string>

#include "catalogue/ResultViewController.hpp"

namespace kelda::catalogue {

class CtrResultsViewController : public ResultViewController {
 public:
  static constexpr const char* kPageId = "mobile.toprated.results.search";
  static constexpr const char* kHeaderText = "customers' top rated";

  CtrResultsViewController() : ResultViewController(ResultList::Landing) {}

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void rebuildHeader() override;
  std::string resultsFoundText(const PagingFooter& footer) const override {
    return footer.resultsFound + ".";
  }
  const char* pageId() const override { return kPageId; }
  bool picturesOpenProducts() const override { return false; }
};

}  // namespace kelda::catalogue
