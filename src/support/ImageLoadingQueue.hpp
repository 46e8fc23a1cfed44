// ImageLoadingQueue: the one queue on which every ImageLoader load runs, at most two at a time,
// in the order they were added. One per Context (`ImageLoadingQueue::shared()`).
//
// Its two threads start with the first load; each keeps one ImageFetcher, so loads reuse open
// connections. Operations run and call back on those threads. Any thread may add operations.
// Destruction drops the loads still waiting, cuts short the ones running (without callback)
// and joins the threads.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace kelda::support {

class DataLoaderOperation;

class ImageLoadingQueue {
 public:
  static constexpr std::size_t kMaxConcurrentOperationCount = 2;

  ImageLoadingQueue();
  ~ImageLoadingQueue();
  ImageLoadingQueue(const ImageLoadingQueue&) = delete;
  ImageLoadingQueue& operator=(const ImageLoadingQueue&) = delete;

  static ImageLoadingQueue& shared();

  void addOperation(std::shared_ptr<DataLoaderOperation> operation);
  // Blocks until no operation is waiting or running (tests, benchmarks, screen tests that
  // need the images in place).
  void waitUntilAllOperationsAreFinished();
  std::size_t operationCount() const;

  // Time-out of each load (default 60 s; tests shorten it).
  void setTimeout(std::chrono::milliseconds timeout);
  std::chrono::milliseconds timeout() const;

  // Identifier of the last load started (ImageLoader sets it).
  std::atomic<std::uint64_t> identifierCounter{0};

 private:
  void work();

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::deque<std::shared_ptr<DataLoaderOperation>> waiting_;
  std::size_t running_ = 0;
  std::chrono::milliseconds timeout_{60000};
  std::atomic<bool> stopping_{false};
  std::vector<std::thread> threads_;
};

}  // namespace kelda::support
