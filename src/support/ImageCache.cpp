#include "support/ImageCache.hpp"

#include "platform/Context.hpp"

namespace kelda::support {

ImageCache& ImageCache::shared() {
  return platform::shared<ImageCache>();
}

std::optional<Image> ImageCache::find(const std::string& url) {
  std::lock_guard lock(mutex_);
  auto it = index_.find(url);
  if (it == index_.end()) return std::nullopt;
  entries_.splice(entries_.begin(), entries_, it->second);
  return it->second->image;
}

void ImageCache::insert(const std::string& url, const Image& image) {
  std::lock_guard lock(mutex_);
  if (auto it = index_.find(url); it != index_.end()) {
    total_ -= it->second->image.data().size();
    entries_.erase(it->second);
    index_.erase(it);
  }
  if (image.data().size() > capacity_) return;
  entries_.push_front(Entry{url, image});
  index_.emplace(url, entries_.begin());
  total_ += image.data().size();
  evictLocked();
}

void ImageCache::evictLocked() {
  while (total_ > capacity_ && !entries_.empty()) {
    total_ -= entries_.back().image.data().size();
    index_.erase(entries_.back().url);
    entries_.pop_back();
  }
}

void ImageCache::setCapacity(std::size_t bytes) {
  std::lock_guard lock(mutex_);
  capacity_ = bytes;
  evictLocked();
}

std::size_t ImageCache::capacity() const {
  std::lock_guard lock(mutex_);
  return capacity_;
}

std::size_t ImageCache::totalBytes() const {
  std::lock_guard lock(mutex_);
  return total_;
}

std::size_t ImageCache::count() const {
  std::lock_guard lock(mutex_);
  return entries_.size();
}

}  // namespace kelda::support
