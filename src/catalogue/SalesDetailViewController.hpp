// SalesDetailViewController: the subcategories of one sale category (the answer that found them,
// kept by the screen), titled with the category's name; a row opens the subcategory's sales
// result list, or apologises when it has no product.
//
// Created anew by the sales screen for each category it opens. Main thread only; its requests
// run on workers.
#pragma once

#include <memory>
#include <string>

#include "catalogue/CategoryListViewController.hpp"

namespace kelda::catalogue {

class SubCategoryResultViewController;

class SalesDetailViewController : public CategoryListViewController {
 public:
  // `subcategories`: the "category" array of the category's answer.
  SalesDetailViewController(std::string title, json::Value subcategories);

  std::shared_ptr<SubCategoryResultViewController> resultList() const { return results_; }

 protected:
  json::Value categories() const override { return subcategories_; }
  void categoryTapped(const json::Value& category) override;

 private:
  json::Value subcategories_;
  std::shared_ptr<SubCategoryResultViewController> results_;
};

}  // namespace kelda::catalogue
