#include "support/ImageLoadingQueue.hpp"

#include <utility>

#include "platform/Context.hpp"
#include "support/DataLoaderOperation.hpp"
#include "support/ImageFetcher.hpp"

namespace kelda::support {

ImageLoadingQueue::ImageLoadingQueue() = default;

ImageLoadingQueue::~ImageLoadingQueue() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    waiting_.clear();
  }
  wake_.notify_all();
  for (auto& thread : threads_) thread.join();
}

ImageLoadingQueue& ImageLoadingQueue::shared() {
  return platform::shared<ImageLoadingQueue>();
}

void ImageLoadingQueue::addOperation(std::shared_ptr<DataLoaderOperation> operation) {
  {
    std::lock_guard lock(mutex_);
    if (stopping_) return;
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
  ImageFetcher fetcher;
  std::unique_lock lock(mutex_);
  while (true) {
    wake_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
    if (stopping_) return;
    auto operation = std::move(waiting_.front());
    waiting_.pop_front();
    ++running_;
    std::chrono::milliseconds timeout = timeout_;
    lock.unlock();
    operation->main(fetcher, timeout, stopping_);
    operation.reset();  // releases the loader before the queue reports idle
    lock.lock();
    --running_;
    if (running_ == 0 && waiting_.empty()) idle_.notify_all();
  }
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
