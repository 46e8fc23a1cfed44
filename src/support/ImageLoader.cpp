#include "support/ImageLoader.hpp"

#include <utility>

#include "platform/Log.hpp"
#include "support/ImageCache.hpp"
#include "support/ImageLoadingQueue.hpp"

namespace kelda::support {

std::shared_ptr<ImageLoader> ImageLoader::create() {
  return std::shared_ptr<ImageLoader>(new ImageLoader());
}

std::uint64_t ImageLoader::urlHash(std::string_view url) {
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a 64 offset basis
  for (char c : url) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;  // FNV-1a 64 prime
  }
  return hash;
}

std::string ImageLoader::urlToHashString(std::string_view url) {
  return std::to_string(urlHash(url));
}

void ImageLoader::loadImageFromURL(const std::string& url, std::weak_ptr<void> callbackTarget,
                                   Callback callback) {
  {
    std::lock_guard lock(mutex_);
    imageURL_ = url;
    callbackTarget_ = std::move(callbackTarget);
    callbackSelector_ = std::move(callback);
  }
  auto& queue = ImageLoadingQueue::shared();
  const std::uint64_t identifier = urlHash(url);
  queue.identifierCounter = identifier;
  if (std::optional<Image> cached = ImageCache::shared().find(url)) {
    sendImageBack(cached);
    return;
  }
  queue.load(url, identifier, shared_from_this());
}

bool ImageLoader::hasReceiver() const {
  std::lock_guard lock(mutex_);
  return !callbackTarget_.expired() && callbackSelector_ != nullptr;
}

std::string ImageLoader::imageURL() const {
  std::lock_guard lock(mutex_);
  return imageURL_;
}

void ImageLoader::sendImageBack(const std::optional<Image>& picture) {
  std::optional<Image> image = picture;
  if (!image) {
    log::debug("-[ImageLoader sendImageBack:]", "no image from " + imageURL());
    image = Image::named(kNoImageName);
  }
  std::shared_ptr<void> receiver;
  Callback callback;
  {
    std::lock_guard lock(mutex_);
    receiver = callbackTarget_.lock();
    callback = callbackSelector_;
  }
  // The receiver is kept alive for the length of the call.
  if (receiver && callback && image) callback(*image);
}

}  // namespace kelda::support
