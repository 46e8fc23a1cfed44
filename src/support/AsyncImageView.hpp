// AsyncImageView: a view that loads its own picture. While loading it shows the red
// placeholder "redbg.png" over the whole view with a small spinner centred in it; when the
// bytes have come it shows the image filling the view (scaled to fit without distortion).
// When the URL is the current product's detail image ("imageSourceDetail" of data[0] of the
// shared productDescriptionList) the image is also stored as the shared largerProductImage.
//
// Main thread only. The picture comes through the shared ImageLoader (so a picture already
// loaded this run is not downloaded again, and RunLoop::runUntilIdle waits for the download)
// and the view is updated back on the main thread; a view that has gone away, or that has
// started another load meanwhile, ignores the old answer. A failed load (no answer, an error
// status, bytes that are not an image, over 10 MB, a time-out) leaves the placeholder and the
// spinner in place.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "support/Image.hpp"
#include "ui/ActivityIndicatorView.hpp"
#include "ui/ImageView.hpp"
#include "ui/View.hpp"

namespace kelda::support {

class AsyncImageView : public ui::View {
 public:
  static constexpr const char* kPlaceholderName = "redbg.png";

  explicit AsyncImageView(ui::Rect frame = ui::screenBounds()) : ui::View(frame) {}

  // Starts loading `url`, dropping any earlier load, and clears the shared largerProductImage.
  void loadImageFromURL(const std::string& url);
  // The loaded image; nothing before a load has succeeded.
  std::optional<Image> image() const { return image_; }
  bool isLargerImage() const { return isLargerImage_; }
  // The placeholder and the spinner stay while loading and after a failed load.
  bool showsPlaceholder() const { return placeholder_ != nullptr; }
  bool showsSpinner() const { return spinner_ != nullptr && spinner_->isAnimating(); }

 private:
  void connectionDidFinishLoading(std::uint64_t load, const Image& image);

  std::uint64_t load_ = 0;
  bool isLargerImage_ = false;
  std::shared_ptr<ui::ImageView> placeholder_;
  std::shared_ptr<ui::ActivityIndicatorView> spinner_;
  std::shared_ptr<ui::ImageView> imageView_;
  std::optional<Image> image_;
};

}  // namespace kelda::support
