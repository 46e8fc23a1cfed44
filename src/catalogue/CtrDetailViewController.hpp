// CtrDetailViewController: the top-rated subcategories of one department (the answer that found
// them, kept by the screen), titled with the department's name; a row asks for the
// subcategory's top-rated products and opens them (CtrResultsViewController), or apologises
// when there are none.
//
// Created anew by the department list for each department it opens; it creates its product list
// once and reuses it. Main thread only; its requests run on workers.
#pragma once

#include <memory>
#include <string>

#include "catalogue/CategoryListViewController.hpp"
#include "gateway/RequestStatus.hpp"

namespace kelda::catalogue {

class CtrResultsViewController;

class CtrDetailViewController : public CategoryListViewController {
 public:
  // `subcategories`: the "data" array of the department's answer.
  CtrDetailViewController(std::string navigationTitle, json::Value subcategories);

  const std::string& navigationTitle() const { return title(); }
  std::shared_ptr<CtrResultsViewController> resultList() const { return results_; }

 protected:
  json::Value categories() const override { return subcategories_; }
  void categoryTapped(const json::Value& category) override;

 private:
  void stopAnimator(gateway::RequestStatus status, const json::Value& category);

  json::Value subcategories_;
  std::shared_ptr<CtrResultsViewController> results_;
};

}  // namespace kelda::catalogue
