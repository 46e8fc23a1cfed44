// BrowseViewController: the browse picker of a department: three wheels (category, brand,
// price) over the shared subCategoryDictionary and a "Go" button that runs the category search
// (with its brand and price fallback) and opens the result list.
//
// Created once by the home screen and reused; the wheels' rows (`col1`, `col2`, `col3`) are
// remembered between visits and set back to 0 by the home screen before a department opens.
// Main thread only; the search runs on a worker and hands back through a weak reference.
#pragma once

#include <memory>
#include <string>

#include "gateway/RequestStatus.hpp"
#include "json/Value.hpp"
#include "support/BusyOverlayHandle.hpp"
#include "ui/PickerView.hpp"
#include "ui/ViewController.hpp"

namespace kelda::catalogue {

class ResultViewController;

class BrowseViewController : public ui::ViewController, public ui::PickerViewDataSource {
 public:
  static constexpr const char* kPageId = "mobile.spin.browse";

  BrowseViewController() = default;

  int col1 = 0;
  int col2 = 0;
  int col3 = 0;

  // The "Go" button: alerts for a wheel without a label, else searches and opens the list.
  void go();
  ui::PickerView& picker();
  std::shared_ptr<ResultViewController> resultViewController() const { return results_; }

  // PickerViewDataSource: wheel 0 "col1name" of "category", 1 "col2name" of "brand",
  // 2 "col3name" of "price".
  int numberOfComponentsInPickerView(ui::PickerView&) override { return 3; }
  int numberOfRowsInComponent(ui::PickerView&, int component) override;
  std::string titleForRow(ui::PickerView&, int row, int component) override;

 protected:
  std::shared_ptr<ui::View> loadView() override;
  void viewWillAppear(bool animated) override;

 private:
  struct Choice {
    json::Value category;
    json::Value brand;
    json::Value price;
  };
  Choice selectedChoice() const;
  void searchArrived(gateway::RequestStatus status, const std::string& categoryId,
                     const std::string& categoryName);

  std::shared_ptr<ui::PickerView> picker_;
  std::shared_ptr<ResultViewController> results_;
  support::BusyOverlayHandle overlay_;
};

}  // namespace kelda::catalogue
