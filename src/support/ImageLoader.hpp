// ImageLoader: loads one image on the shared ImageLoadingQueue (at most two loads at a time)
// and calls back with the finished image: the downloaded picture, or the resource image
// "noImage1.png" when nothing usable came (no answer, an error status, bytes that are not an
// image, an image over 10 MB, a time-out).
//
// Make one with create() (the queued operation keeps it alive until it has run). The callback
// runs on a queue thread, never the main thread: move to the main thread before touching the
// screen. The receiver is held weakly: once it has gone away, no callback is made (and a load
// not yet started is skipped).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "support/Image.hpp"

namespace kelda::support {

class ImageLoader : public std::enable_shared_from_this<ImageLoader> {
 public:
  using Callback = std::function<void(const Image& image)>;
  static constexpr const char* kNoImageName = "noImage1.png";

  static std::shared_ptr<ImageLoader> create();

  // Queues the load of `url`; later `callback` receives the image while `callbackTarget` is
  // still alive. Sets the queue's identifierCounter to urlToHashString(url).
  void loadImageFromURL(const std::string& url, std::weak_ptr<void> callbackTarget,
                        Callback callback);

  // The decimal text of the URL text's 64-bit FNV-1a hash (stable across runs and builds).
  static std::string urlToHashString(std::string_view url);
  static std::uint64_t urlHash(std::string_view url);

  // Makes the image from `bytes` (or takes "noImage1.png") and sends it to the receiver if it
  // is still alive. Called by the queued operation on the queue's thread.
  void sendImageBack(std::optional<std::string> bytes);
  // True while the receiver is alive.
  bool hasReceiver() const;

  std::string imageURL() const;

 private:
  ImageLoader() = default;

  mutable std::mutex mutex_;
  std::string imageURL_;
  std::weak_ptr<void> callbackTarget_;
  Callback callbackSelector_;
};

}  // namespace kelda::support
