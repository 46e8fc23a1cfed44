// PDPZoomingImageCell: the more-images page's large picture, which a front end lets the shopper
// zoom. The picture loads from its address; the loader's placeholder stands in while it loads
// and when nothing usable comes. Main thread only.
#pragma once

#include <memory>
#include <string>

#include "ui/ImageView.hpp"
#include "ui/TableViewCell.hpp"

namespace kelda::product {

class PDPZoomingImageCell : public ui::TableViewCell {
 public:
  static constexpr const char* kPlaceholder = "noImage1.png";

  explicit PDPZoomingImageCell(const std::string& url);

  const std::string& url() const { return url_; }
  const ui::ImageView& picture() const { return *picture_; }

 private:
  std::string url_;
  std::shared_ptr<ui::ImageView> picture_;
};

}  // namespace kelda::product
