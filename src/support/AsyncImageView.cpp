#include "support/AsyncImageView.hpp"

#include <utility>

#include "gateway/TarnObjects.hpp"
#include "platform/RunLoop.hpp"
#include "support/ImageLoader.hpp"

namespace kelda::support {

namespace {
constexpr double kSpinnerSide = 20;
}

void AsyncImageView::loadImageFromURL(const std::string& url) {
  std::uint64_t load = ++load_;  // an answer to an earlier load is ignored from now on
  auto& state = gateway::TarnObjects::sharedInstance();
  state.setLargerProductImage(json::Value());
  json::Value detail = state.productDescriptionList()["data"][0]["imageSourceDetail"];
  isLargerImage_ = detail.isString() && detail.text() == url;

  if (placeholder_) placeholder_->removeFromSuperview();
  if (spinner_) spinner_->removeFromSuperview();
  ui::Rect bounds = ui::makeRect(0, 0, frame.size.width, frame.size.height);
  placeholder_ = add<ui::ImageView>(kPlaceholderName);
  placeholder_->frame = bounds;
  spinner_ = add<ui::ActivityIndicatorView>(ui::ActivityIndicatorStyle::White);
  spinner_->frame =
      ui::makeRect((bounds.size.width - kSpinnerSide) / 2, (bounds.size.height - kSpinnerSide) / 2,
                   kSpinnerSide, kSpinnerSide);
  spinner_->startAnimating();

  // The picture comes through the shared loader (and its cache); the view is updated on the
  // main thread, and only while it exists.
  std::weak_ptr<View> self = weak_from_this();
  ImageLoader::create()->loadImageFromURL(url, self, [self, load](const Image& image) {
    platform::performOnMainThread(
        [self, load, image] {
          if (auto view = std::static_pointer_cast<AsyncImageView>(self.lock())) {
            view->connectionDidFinishLoading(load, image);
          }
        },
        false);
  });
}

void AsyncImageView::connectionDidFinishLoading(std::uint64_t load, const Image& image) {
  // A load that gave nothing usable comes back as the shipped "no image" picture: the
  // placeholder stays.
  if (load != load_ || !image.name().empty()) return;
  spinner_->stopAnimating();
  spinner_->removeFromSuperview();
  placeholder_->removeFromSuperview();
  spinner_.reset();
  placeholder_.reset();
  if (imageView_) imageView_->removeFromSuperview();
  imageView_ = std::make_shared<ui::ImageView>();
  imageView_->frame = ui::makeRect(0, 0, frame.size.width, frame.size.height);
  imageView_->setImageData(image.data());
  insertSubview(imageView_, 0);
  image_ = image;
  if (isLargerImage_) {
    gateway::TarnObjects::sharedInstance().setLargerProductImage(json::Value(image_->data()));
  }
}

}  // namespace kelda::support
