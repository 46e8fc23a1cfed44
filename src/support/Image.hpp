// Image: a picture as the client handles it: its encoded bytes (PNG, JPEG or GIF), the format
// and its size in pixels, read from the file's header. Pixels are left to the front ends.
//
// A plain immutable value (the bytes are shared): copy it freely, use it from any thread.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kelda::support {

enum class ImageFormat { Png, Jpeg, Gif };

class Image {
 public:
  // An image from encoded bytes; nothing when they are not a PNG, JPEG or GIF whose header
  // gives a non-zero size.
  static std::optional<Image> fromData(std::string bytes);
  // The shipped resource image of that file name; nothing when it is missing or not an image.
  static std::optional<Image> named(std::string_view resourceName);

  ImageFormat format() const { return format_; }
  int width() const { return width_; }
  int height() const { return height_; }
  const std::string& data() const { return *data_; }
  // The resource name for a shipped image; empty for downloaded bytes.
  const std::string& name() const { return name_; }

 private:
  Image(ImageFormat format, int width, int height, std::shared_ptr<const std::string> data)
      : format_(format), width_(width), height_(height), data_(std::move(data)) {}

  ImageFormat format_;
  int width_;
  int height_;
  std::shared_ptr<const std::string> data_;
  std::string name_;
};

}  // namespace kelda::support
