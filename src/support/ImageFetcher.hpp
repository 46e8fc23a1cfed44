// ImageFetcher: reads an image's bytes over HTTP with one libcurl handle that it keeps, so the
// loads of one thread reuse their open connections.
//
// Not thread-safe: each loading thread owns one. A load ends early, with nothing, when the
// answer passes kMaxImageBytes, when the time-out passes, or when the caller's cancel flag is
// raised (a queue shutting down); nothing any server does raises or crashes.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

namespace kelda::support {

class ImageFetcher {
 public:
  static constexpr std::size_t kMaxImageBytes = 10u * 1024u * 1024u;

  ImageFetcher();
  ~ImageFetcher();
  ImageFetcher(const ImageFetcher&) = delete;
  ImageFetcher& operator=(const ImageFetcher&) = delete;

  // The whole body of a successful (2xx) GET of `url`; nothing on any failure, any other
  // status, a body over kMaxImageBytes, the time-out or `cancel`.
  std::optional<std::string> fetch(const std::string& url, std::chrono::milliseconds timeout,
                                   const std::atomic<bool>* cancel = nullptr);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace kelda::support
