// DataLoaderOperation: one queued image download. It reads the whole URL on a queue thread for
// every ImageLoader waiting for that picture (loads of the same URL share one download), and
// counts as pending work of the run loop from the moment it is queued until its callbacks have
// been made, so that RunLoop::runUntilIdle waits for the pictures too.
//
// Created and owned by the ImageLoadingQueue, which guards its target list.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/RunLoop.hpp"

namespace kelda::platform {
class HttpClient;
}

namespace kelda::support {

class ImageLoader;

class DataLoaderOperation {
 public:
  static constexpr std::size_t kMaxImageBytes = 10u * 1024u * 1024u;

  DataLoaderOperation(std::string imageURL, std::uint64_t identifier,
                      platform::PendingWork pending);

  const std::string& imageURL() const { return imageURL_; }
  std::uint64_t identifier() const { return identifier_; }

  // The queue adds each loader that asks for this URL before the download has finished.
  void addTarget(std::shared_ptr<ImageLoader> target);
  std::vector<std::shared_ptr<ImageLoader>> takeTargets();
  // True while at least one target still wants the picture.
  bool isWanted() const;

  // The body of a successful (2xx) GET of the URL; nothing on any failure, any other status, a
  // body over kMaxImageBytes, silence past `timeout`, or `cancel`.
  std::optional<std::string> main(platform::HttpClient& client, std::chrono::milliseconds timeout,
                                  const std::atomic<bool>& cancel) const;

 private:
  std::string imageURL_;
  std::uint64_t identifier_;
  std::vector<std::shared_ptr<ImageLoader>> targets_;
  platform::PendingWork pending_;
};

}  // namespace kelda::support
