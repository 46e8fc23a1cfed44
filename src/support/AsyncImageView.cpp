#include "support/AsyncImageView.hpp"

#include <utility>

#include "gateway/TarnObjects.hpp"
#include "platform/RunLoop.hpp"
#include "support/ImageFetcher.hpp"

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

  auto& loop = platform::RunLoop::main();
  std::weak_ptr<View> self = weak_from_this();
  loop.detachThread([&loop, self, load, url, timeout = timeout] {
    ImageFetcher fetcher;
    auto fetched = fetcher.fetch(url, timeout);
    auto bytes = fetched ? std::make_shared<std::string>(std::move(*fetched)) : nullptr;
    loop.performOnMainThread(
        [self, load, bytes] {
          if (auto view = std::static_pointer_cast<AsyncImageView>(self.lock())) {
            view->connectionDidFinishLoading(load, bytes);
          }
        },
        false);
  });
}

void AsyncImageView::connectionDidFinishLoading(std::uint64_t load,
                                                std::shared_ptr<std::string> bytes) {
  if (load != load_ || !bytes) return;
  std::optional<Image> image = Image::fromData(std::move(*bytes));
  if (!image) return;
  spinner_->stopAnimating();
  spinner_->removeFromSuperview();
  placeholder_->removeFromSuperview();
  spinner_.reset();
  placeholder_.reset();
  if (imageView_) imageView_->removeFromSuperview();
  imageView_ = std::make_shared<ui::ImageView>();
  imageView_->frame = ui::makeRect(0, 0, frame.size.width, frame.size.height);
  imageView_->setImageData(image->data());
  insertSubview(imageView_, 0);
  image_ = std::move(image);
  if (isLargerImage_) {
    gateway::TarnObjects::sharedInstance().setLargerProductImage(json::Value(image_->data()));
  }
}

}  // namespace kelda::support
