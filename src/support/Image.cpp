#include "support/Image.hpp"

#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <utility>

#include "platform/Paths.hpp"

namespace kelda::support {

namespace {
struct Size {
  int width = 0;
  int height = 0;
};

unsigned byteAt(std::string_view bytes, std::size_t i) {
  return static_cast<unsigned char>(bytes[i]);
}

// PNG through libpng: the signature and the header chunk, read from memory.
struct PngSource {
  std::string_view bytes;
  std::size_t offset = 0;
};

void readPngBytes(png_structp png, png_bytep out, png_size_t length) {
  auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
  if (source->bytes.size() - source->offset < length) png_error(png, "truncated image");
  std::memcpy(out, source->bytes.data() + source->offset, length);
  source->offset += length;
}

void silentWarning(png_structp, png_const_charp) {}
// Bytes that are not a readable PNG are an ordinary outcome here: no message, just give up.
[[noreturn]] void silentError(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}

std::optional<Size> pngSize(std::string_view bytes) {
  if (bytes.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8) != 0) {
    return std::nullopt;
  }
  png_structp png =
      png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, silentError, silentWarning);
  if (png == nullptr) return std::nullopt;
  png_infop info = png_create_info_struct(png);
  PngSource source{bytes, 0};
  // Written after setjmp and read after a possible longjmp: volatile.
  volatile png_uint_32 width = 0;
  volatile png_uint_32 height = 0;
  // libpng reports errors by longjmp; nothing with a destructor lives in this frame past here.
  if (info != nullptr && setjmp(png_jmpbuf(png)) == 0) {
    png_set_read_fn(png, &source, readPngBytes);
    png_read_info(png, info);
    width = png_get_image_width(png, info);
    height = png_get_image_height(png, info);
  }
  png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr);
  if (width == 0 || height == 0) return std::nullopt;
  return Size{static_cast<int>(width), static_cast<int>(height)};
}

// JPEG: the size is in the first start-of-frame segment.
std::optional<Size> jpegSize(std::string_view bytes) {
  if (bytes.size() < 4 || byteAt(bytes, 0) != 0xFF || byteAt(bytes, 1) != 0xD8) return std::nullopt;
  std::size_t i = 2;
  while (i + 4 <= bytes.size()) {
    if (byteAt(bytes, i) != 0xFF) return std::nullopt;
    unsigned marker = byteAt(bytes, i + 1);
    if (marker == 0xFF) {  // fill byte
      ++i;
      continue;
    }
    if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
      i += 2;  // markers without a length
      continue;
    }
    std::size_t length = byteAt(bytes, i + 2) << 8 | byteAt(bytes, i + 3);
    if (length < 2) return std::nullopt;
    bool startOfFrame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (startOfFrame) {
      if (i + 9 > bytes.size()) return std::nullopt;
      int height = static_cast<int>(byteAt(bytes, i + 5) << 8 | byteAt(bytes, i + 6));
      int width = static_cast<int>(byteAt(bytes, i + 7) << 8 | byteAt(bytes, i + 8));
      if (width == 0 || height == 0) return std::nullopt;
      return Size{width, height};
    }
    if (marker == 0xD9 || marker == 0xDA) return std::nullopt;  // end of image or scan first
    i += 2 + length;
  }
  return std::nullopt;
}

// GIF: the logical screen size follows the signature.
std::optional<Size> gifSize(std::string_view bytes) {
  if (bytes.size() < 10 || (bytes.substr(0, 6) != "GIF87a" && bytes.substr(0, 6) != "GIF89a")) {
    return std::nullopt;
  }
  int width = static_cast<int>(byteAt(bytes, 6) | byteAt(bytes, 7) << 8);
  int height = static_cast<int>(byteAt(bytes, 8) | byteAt(bytes, 9) << 8);
  if (width == 0 || height == 0) return std::nullopt;
  return Size{width, height};
}
}  // namespace

std::optional<Image> Image::fromData(std::string bytes) {
  std::optional<Size> size;
  ImageFormat format = ImageFormat::Png;
  if ((size = pngSize(bytes))) {
    format = ImageFormat::Png;
  } else if ((size = jpegSize(bytes))) {
    format = ImageFormat::Jpeg;
  } else if ((size = gifSize(bytes))) {
    format = ImageFormat::Gif;
  } else {
    return std::nullopt;
  }
  return Image(format, size->width, size->height,
               std::make_shared<const std::string>(std::move(bytes)));
}

std::optional<Image> Image::named(std::string_view resourceName) {
  std::ifstream file(platform::resourcePath(resourceName), std::ios::binary);
  if (!file) return std::nullopt;
  std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  auto image = fromData(std::move(bytes));
  if (image) image->name_ = std::string(resourceName);
  return image;
}

}  // namespace kelda::support
