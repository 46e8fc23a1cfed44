// PngImage: a small RGB canvas that can fill rectangles, draw text in the bitmap font and be
// encoded as PNG (libpng). Used for the generated product and savings-pass pictures. One
// instance per thread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelda::server {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
};

class PngImage {
 public:
  PngImage(int width, int height, Rgb background);
  void fill(int x, int y, int width, int height, Rgb colour);
  // Draws the text with its top-left corner at (x, y); each font pixel is scale x scale.
  void text(int x, int y, std::string_view text, int scale, Rgb colour);
  // The PNG file bytes; empty if encoding failed.
  std::string encode() const;

 private:
  int width_, height_;
  std::vector<std::uint8_t> pixels_;
};

// The colour of a colour name of the catalogue (grey for names it does not know).
Rgb colourNamed(std::string_view name);
// Splits a text into lines of at most `width` characters at blanks.
std::vector<std::string> wrapText(std::string_view text, std::size_t width);

}  // namespace kelda::server
