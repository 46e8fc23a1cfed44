// SalesViewController: the sales screen ("Sale"), one row per sale category of the shared
// salesDictionary. A category with subcategories opens them (SalesDetailViewController); one
// without opens its sales result list, or apologises when it has no product.
//
// Created by the home screen on first use and reused. Main thread only; its requests run on
// workers.
#pragma once

#include <memory>

#include "catalogue/CategoryListViewController.hpp"

namespace kelda::catalogue {

class SubCategoryResultViewController;

class SalesViewController : public CategoryListViewController {
 public:
  static constexpr const char* kPageId = "mobile.sales.search";

  SalesViewController();

  std::shared_ptr<SubCategoryResultViewController> resultList() const { return results_; }

 protected:
  json::Value categories() const override;
  void categoryTapped(const json::Value& category) override;
  void viewWillAppear(bool animated) override;

 private:
  std::shared_ptr<SubCategoryResultViewController> results_;
};

}  // namespace kelda::catalogue
