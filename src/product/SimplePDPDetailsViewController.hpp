// SimplePDPDetailsViewController: page 1 of the simple product page: the large picture (from
// "imageSourceDetail", "noImage4.png" until it comes or when none comes), the product's
// "attributes" texts, the same selection rows and buttons as the main page (the call row's
// button reads "CLICK TO CALL"), the shipping-and-returns texts, and "MORE VIEWS & COLORS",
// which turns to the more-images page.
//
// Made and owned by PDPViewsController. Main thread only.
#pragma once

#include "product/PDPViewsDelegate.hpp"
#include "product/RowTableController.hpp"

namespace kelda::product {

class SimplePDPDetailsViewController : public RowTableController {
 public:
  static constexpr int kPage = 1;
  static constexpr const char* kPlaceholder = "noImage4.png";

  explicit SimplePDPDetailsViewController(PDPViewsDelegate& container) : container_(container) {}

 protected:
  std::vector<TableSection> buildSections() override;

 private:
  TableSection pictureSection(const json::Value& product);
  PDPViewsDelegate& container_;
};

}  // namespace kelda::product
