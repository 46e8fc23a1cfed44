// ImageCache: the pictures downloaded this run, by URL, kept in memory up to a byte cap; the
// least recently used go first when a new one does not fit. Result rows, product pages and the
// bag read through it, so a picture that is on screen again is never downloaded again.
//
// One per Context (`ImageCache::shared()`); every member may be called from any thread.
#pragma once

#include <cstddef>
#include <list>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

#include "support/Image.hpp"

namespace kelda::support {

class ImageCache {
 public:
  static constexpr std::size_t kDefaultCapacityBytes = 32u * 1024u * 1024u;

  static ImageCache& shared();

  // The picture of `url`, now the most recently used; nothing when it is not kept.
  std::optional<Image> find(const std::string& url);
  // Keeps the picture (replacing an older one of the URL), then lets the least recently used
  // go until the total fits the capacity. A picture larger than the capacity is not kept.
  void insert(const std::string& url, const Image& image);

  void setCapacity(std::size_t bytes);
  std::size_t capacity() const;
  // Bytes of the pictures kept (their encoded size).
  std::size_t totalBytes() const;
  std::size_t count() const;

 private:
  struct Entry {
    std::string url;
    Image image;
  };
  void evictLocked();

  mutable std::mutex mutex_;
  std::size_t capacity_ = kDefaultCapacityBytes;
  std::size_t total_ = 0;
  std::list<Entry> entries_;  // most recently used first
  std::unordered_map<std::string, std::list<Entry>::iterator> index_;
};

}  // namespace kelda::support
