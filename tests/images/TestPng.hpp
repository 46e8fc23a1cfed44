// makePng: a real PNG of the given size in memory, written with libpng: a solid colour, or with
// `noiseSeed` non-zero, noisy pixels that compress like a photograph. Used by the image tests
// and the image benchmark as what a server sends.
#pragma once

#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kelda::test {

inline std::string makePng(int width, int height, std::uint8_t red = 200, std::uint8_t green = 40,
                           std::uint8_t blue = 40, std::uint32_t noiseSeed = 0) {
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png)) != 0) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(
      png, &out,
      [](png_structp p, png_bytep data, png_size_t length) {
        static_cast<std::string*>(png_get_io_ptr(p))->append(reinterpret_cast<char*>(data), length);
      },
      nullptr);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> row(static_cast<std::size_t>(width) * 3);
  for (int x = 0; x < width; ++x) {
    row[x * 3] = red;
    row[x * 3 + 1] = green;
    row[x * 3 + 2] = blue;
  }
  std::uint32_t state = noiseSeed;
  for (int y = 0; y < height; ++y) {
    if (noiseSeed != 0) {
      for (auto& byte : row) {
        state = state * 1664525u + 1013904223u;  // a small LCG is enough for noise
        byte = static_cast<png_byte>(state >> 24);
      }
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

}  // namespace kelda::test
