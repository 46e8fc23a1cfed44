// CtrViewController: the first landing page, "Customer's Top Rated": one row per department of
// the shared ctrDictionary; a row asks for the department's top-rated subcategories and opens
// them (CtrDetailViewController).
//
// Created anew by the home screen each time it opens the landing pages. Main thread only; its
// requests run on workers.
#pragma once

#include "catalogue/CategoryListViewController.hpp"

namespace kelda::catalogue {

class CtrViewController : public CategoryListViewController {
 public:
  static constexpr const char* kPageId = "mobile.toprated.search";

  CtrViewController();

 protected:
  json::Value categories() const override;
  void categoryTapped(const json::Value& category) override;
  std::string reuseIdentifier(ui::IndexPath indexPath) const override;
  void viewWillAppear(bool animated) override;
};

}  // namespace kelda::catalogue
