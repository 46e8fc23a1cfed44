// PDPMoreViewController: page 3 of the simple product page: a large zoomable picture (first
// the product's "imageSourceDetail") above one row per further view ("additionalImagesThumbnail")
// and per colour swatch ("swatches"); a tap on a row shows its full picture
// ("additionalImages" or "additionalImagesSwatch" at the same position) in the large one.
//
// Made and owned by PDPViewsController. Main thread only.
#pragma once

#include <string>
#include <vector>

#include "product/RowTableController.hpp"

namespace kelda::product {

class PDPMoreViewController : public RowTableController {
 public:
  // The address of the full picture shown in the zoomable cell.
  const std::string& shownImage() const { return shownImage_; }

 protected:
  std::vector<TableSection> buildSections() override;

 private:
  void showImage(std::string url);
  TableRow thumbnailRow(const std::string& thumbnail, const std::string& full);

  std::string shownImage_;
  bool shownChosen_ = false;
};

}  // namespace kelda::product
