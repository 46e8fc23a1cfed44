// SimpleMainViewController: page 0 of the simple product page: the product cell, the selection
// rows with "ADD TO BAG", "FIND IT IN STORE" and the call row ("CALL NOW"), and the
// shipping-and-returns texts. A tap on the product cell turns to the details page.
//
// Made and owned by PDPViewsController; drawn from the shared productDescriptionList each time
// its rows are rebuilt. Main thread only.
#pragma once

#include "product/PDPViewsDelegate.hpp"
#include "product/RowTableController.hpp"

namespace kelda::product {

class SimpleMainViewController : public RowTableController {
 public:
  static constexpr int kPage = 0;

  explicit SimpleMainViewController(PDPViewsDelegate& container) : container_(container) {}

 protected:
  std::vector<TableSection> buildSections() override;

 private:
  PDPViewsDelegate& container_;
};

}  // namespace kelda::product
