#include "product/PDPZoomingImageCell.hpp"

#include "product/PictureLoad.hpp"

namespace kelda::product {

PDPZoomingImageCell::PDPZoomingImageCell(const std::string& url)
    : ui::TableViewCell(ui::CellStyle::Default, "PDPZoomingImageCell"), url_(url) {
  selectionStyle = ui::CellSelectionStyle::None;
  picture_ = add<ui::ImageView>(kPlaceholder);
  picture_->identifier = "zoom";
  loadPicture(picture_, url_, kPlaceholder);
}

}  // namespace kelda::product
