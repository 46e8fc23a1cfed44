// DataLoaderOperation: one queued image load. Its main() reads the whole URL on a queue thread
// and hands the bytes (or nothing on failure) to its target's callback selector.
//
// Created by ImageLoader and owned by the loading queue until it has run; the operation keeps
// its target (the loader) alive until then. Its fields are fixed at creation.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kelda::support {

class ImageFetcher;
class ImageLoader;

class DataLoaderOperation {
 public:
  using Selector = void (ImageLoader::*)(std::optional<std::string> bytes);

  static std::shared_ptr<DataLoaderOperation> queueDataLoadWithURL(
      std::string imageURL, std::uint64_t identifier, std::shared_ptr<ImageLoader> callbackTarget,
      Selector callbackSelector);

  // Does nothing when the target no longer wants the image (its own receiver is gone);
  // otherwise fetches with `fetcher` and calls the selector with the bytes or nothing.
  void main(ImageFetcher& fetcher, std::chrono::milliseconds timeout,
            const std::atomic<bool>& cancel);

  const std::string& imageURL() const { return imageURL_; }
  std::uint64_t identifier() const { return identifier_; }

 private:
  DataLoaderOperation() = default;

  std::string imageURL_;
  std::uint64_t identifier_ = 0;
  std::shared_ptr<ImageLoader> callbackTarget_;
  Selector callbackSelector_ = nullptr;
};

}  // namespace kelda::support
