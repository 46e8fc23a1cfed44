// PDPZoomingImageCell: the more-images page's large picture, which the shopper can zoom (from
// whole to three times). The picture loads from its address; the loader's placeholder stands in
// when nothing usable comes. Main thread only.
#pragma once

#include <memory>
#include <string>

#include "ui/ImageView.hpp"
#include "ui/TableViewCell.hpp"

namespace kelda::product {

class PDPZoomingImageCell : public ui::TableViewCell {
 public:
  static constexpr const char* kPlaceholder = "noImage1.png";
  static constexpr double kMaximumZoomScale = 3;

  explicit PDPZoomingImageCell(const std::string& url);

  const std::string& url() const { return url_; }
  const ui::ImageView& picture() const { return *picture_; }
  // The zoom the shopper chose, kept within 1 to kMaximumZoomScale.
  void setZoomScale(double scale);
  double zoomScale() const { return zoomScale_; }

 private:
  std::string url_;
  std::shared_ptr<ui::ImageView> picture_;
  double zoomScale_ = 1;
};

}  // namespace kelda::product
