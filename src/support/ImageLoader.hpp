// ImageLoader: loads one picture and calls back with it: the downloaded picture, or the
// resource image "noImage1.png" when nothing usable came (no answer, an error status, bytes
// that are not an image, an image over 10 MB, silence past the time-out).
//
// A picture already in the ImageCache is handed over at once, on the calling thread; otherwise
// the download runs on the shared ImageLoadingQueue (at most two at a time, one download per
// URL however many loaders ask) and the callback runs on a queue thread: move to the main
// thread before touching the screen. Make one with create() (the queue keeps it alive until it
// has called back). The receiver is held weakly: once it has gone away, no callback is made (and
// a download nobody waits for any more is skipped).
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

  // Asks for `url`; `callback` receives the picture while `callbackTarget` is still alive.
  // Sets the queue's identifierCounter to urlHash(url).
  void loadImageFromURL(const std::string& url, std::weak_ptr<void> callbackTarget,
                        Callback callback);

  // The decimal text of the URL text's 64-bit FNV-1a hash (stable across runs and builds).
  static std::string urlToHashString(std::string_view url);
  static std::uint64_t urlHash(std::string_view url);

  // Sends the picture (or "noImage1.png" for none) to the receiver if it is still alive.
  void sendImageBack(const std::optional<Image>& image);
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
