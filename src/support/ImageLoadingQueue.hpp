// ImageLoadingQueue: the one queue on which every ImageLoader download runs, at most two at a
// time, in the order they were asked for. One per Context (`ImageLoadingQueue::shared()`).
//
// Loads of a URL that is already waiting or being downloaded join that download instead of
// starting another; a finished picture goes into the ImageCache before anyone is called back,
// so a later load of it never downloads again. Its two threads start with the first load; each
// keeps one HttpClient, so loads reuse open connections. Downloads and callbacks run on those
// threads. Any thread may ask for loads. Destruction drops the loads still waiting, cuts short
// the ones running (without callback) and joins the threads.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace kelda::support {

class DataLoaderOperation;
class ImageCache;
class ImageLoader;

class ImageLoadingQueue {
 public:
  static constexpr std::size_t kMaxConcurrentOperationCount = 2;

  ImageLoadingQueue();
  ~ImageLoadingQueue();
  ImageLoadingQueue(const ImageLoadingQueue&) = delete;
  ImageLoadingQueue& operator=(const ImageLoadingQueue&) = delete;

  static ImageLoadingQueue& shared();

  // Queues the download of `url` for `target`, or adds `target` to the download of `url` that
  // is already waiting or running.
  void load(const std::string& url, std::uint64_t identifier, std::shared_ptr<ImageLoader> target);
  // Blocks until no download is waiting or running (benchmarks; screens and tests use
  // RunLoop::runUntilIdle, which waits for the downloads and their callbacks).
  void waitUntilAllOperationsAreFinished();
  std::size_t operationCount() const;

  // Silence limit of each download (default 60 s; tests shorten it).
  void setTimeout(std::chrono::milliseconds timeout);
  std::chrono::milliseconds timeout() const;

  // Identifier of the last load asked for (ImageLoader sets it).
  std::atomic<std::uint64_t> identifierCounter{0};

 private:
  void work();
  void finish(const std::shared_ptr<DataLoaderOperation>& operation,
              const std::optional<std::string>& bytes);

  ImageCache& cache_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::deque<std::shared_ptr<DataLoaderOperation>> waiting_;
  std::map<std::string, std::shared_ptr<DataLoaderOperation>> inFlight_;
  std::size_t running_ = 0;
  std::chrono::milliseconds timeout_{60000};
  std::atomic<bool> stopping_{false};
  std::vector<std::thread> threads_;
};

}  // namespace kelda::support
