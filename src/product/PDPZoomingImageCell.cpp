#include "product/PDPZoomingImageCell.hpp"

#include <algorithm>

#include "product/PictureLoad.hpp"

namespace kelda::product {

PDPZoomingImageCell::PDPZoomingImageCell(const std::string& url)
    : ui::TableViewCell(ui::CellStyle::Default, "PDPZoomingImageCell"), url_(url) {
  selectionStyle = ui::CellSelectionStyle::None;
  picture_ = add<ui::ImageView>(kPlaceholder);
  picture_->identifier = "zoom";
  loadPicture(picture_, url_, kPlaceholder);
}

void PDPZoomingImageCell::setZoomScale(double scale) {
  zoomScale_ = std::clamp(scale, 1.0, kMaximumZoomScale);
}

}  // namespace kelda::product
