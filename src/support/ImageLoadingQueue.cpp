#include "support/ImageLoadingQueue.hpp"

#include <optional>
#include <utility>

#include "platform/Context.hpp"
#include "platform/HttpClient.hpp"
#include "support/DataLoaderOperation.hpp"
#include "support/ImageCache.hpp"
#include "support/ImageLoader.hpp"

namespace kelda::support {

// The cache is made first so that it outlives the queue's threads.
ImageLoadingQueue::ImageLoadingQueue() : cache_(ImageCache::shared()) {}

ImageLoadingQueue::~ImageLoadingQueue() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    waiting_.clear();
    inFlight_.clear();
  }
  wake_.notify_all();
  for (auto& thread : threads_) thread.join();
}

ImageLoadingQueue& ImageLoadingQueue::shared() {
  return platform::shared<ImageLoadingQueue>();
}

void ImageLoadingQueue::load(const std::string& url, std::uint64_t identifier,
                             std::shared_ptr<ImageLoader> target) {
  {
    std::lock_guard lock(mutex_);
    if (stopping_) return;
    if (auto it = inFlight_.find(url); it != inFlight_.end()) {
      it->second->addTarget(std::move(target));
      return;
    }
    auto operation = std::make_shared<DataLoaderOperation>(url, identifier,
                                                           platform::RunLoop::main().beginWork());
    operation->addTarget(std::move(target));
    inFlight_.emplace(url, operation);
    waiting_.push_back(std::move(operation));
    if (threads_.empty()) {
      for (std::size_t i = 0; i < kMaxConcurrentOperationCount; ++i) {
        threads_.emplace_back([this] { work(); });
      }
    }
  }
  wake_.notify_one();
}

void ImageLoadingQueue::work() {
  platform::HttpClient client;
  std::unique_lock lock(mutex_);
  while (true) {
    wake_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
    if (stopping_) return;
    auto operation = std::move(waiting_.front());
    waiting_.pop_front();
    ++running_;
    const std::chrono::milliseconds timeout = timeout_;
    // Nobody wants it any more (every receiver has gone): skipped, and no longer joinable.
    const bool wanted = operation->isWanted();
    if (!wanted) inFlight_.erase(operation->imageURL());
    lock.unlock();
    if (wanted) {
      std::optional<std::string> bytes = operation->main(client, timeout, stopping_);
      if (!stopping_) finish(operation, bytes);
    }
    operation.reset();  // ends its pending work after the callbacks were made
    lock.lock();
    --running_;
    if (running_ == 0 && waiting_.empty()) idle_.notify_all();
  }
}

// Caches the picture, then calls back every loader that joined the download. The picture goes
// into the cache before the download leaves the in-flight table, so that no load of the URL
// can find neither and start another download.
void ImageLoadingQueue::finish(const std::shared_ptr<DataLoaderOperation>& operation,
                               const std::optional<std::string>& bytes) {
  std::optional<Image> image;
  if (bytes) image = Image::fromData(*bytes);
  if (image) cache_.insert(operation->imageURL(), *image);
  std::vector<std::shared_ptr<ImageLoader>> targets;
  {
    std::lock_guard lock(mutex_);
    inFlight_.erase(operation->imageURL());
    targets = operation->takeTargets();
  }
  for (const auto& target : targets) target->sendImageBack(image);
}

void ImageLoadingQueue::waitUntilAllOperationsAreFinished() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return stopping_ || (running_ == 0 && waiting_.empty()); });
}

std::size_t ImageLoadingQueue::operationCount() const {
  std::lock_guard lock(mutex_);
  return running_ + waiting_.size();
}

void ImageLoadingQueue::setTimeout(std::chrono::milliseconds timeout) {
  std::lock_guard lock(mutex_);
  timeout_ = timeout;
}

std::chrono::milliseconds ImageLoadingQueue::timeout() const {
  std::lock_guard lock(mutex_);
  return timeout_;
}

}  // namespace kelda::support
