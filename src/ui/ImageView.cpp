#include "ui/ImageView.hpp"

namespace kelda::ui {

void ImageView::setImageData(std::string bytes) {
  imageName.clear();
  if (bytes.empty()) {
    imageData.reset();
  } else {
    imageData = std::make_shared<const std::string>(std::move(bytes));
  }
}

}  // namespace kelda::ui
