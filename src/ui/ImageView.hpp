// ImageView: a picture from a shipped resource (by file name) or from downloaded bytes (an
// image load fills them in later). Main thread only.
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "ui/View.hpp"

namespace kelda::ui {

class ImageView : public View {
 public:
  ImageView() = default;
  explicit ImageView(std::string imageName) : imageName(std::move(imageName)) {}
  ViewKind kind() const override { return ViewKind::Image; }

  // Shows downloaded bytes (replacing a resource name); an empty text clears the picture.
  void setImageData(std::string bytes);
  bool hasImage() const { return !imageName.empty() || (imageData && !imageData->empty()); }

  std::string imageName;
  std::shared_ptr<const std::string> imageData;
};

}  // namespace kelda::ui
