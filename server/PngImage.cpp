#include "PngImage.hpp"

#include <png.h>

#include <algorithm>

#include "BitmapFont.hpp"
#include "Text.hpp"

namespace kelda::server {

PngImage::PngImage(int width, int height, Rgb background)
    : width_(std::max(1, width)),
      height_(std::max(1, height)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 3) {
  fill(0, 0, width_, height_, background);
}

void PngImage::fill(int x, int y, int width, int height, Rgb colour) {
  for (int row = std::max(0, y); row < std::min(height_, y + height); ++row) {
    for (int col = std::max(0, x); col < std::min(width_, x + width); ++col) {
      const std::size_t at = (static_cast<std::size_t>(row) * static_cast<std::size_t>(width_) +
                              static_cast<std::size_t>(col)) *
                             3;
      pixels_[at] = colour.r;
      pixels_[at + 1] = colour.g;
      pixels_[at + 2] = colour.b;
    }
  }
}

void PngImage::text(int x, int y, std::string_view text, int scale, Rgb colour) {
  for (char c : text) {
    const auto& columns = glyph(c);
    for (int col = 0; col < 5; ++col) {
      for (int row = 0; row < 7; ++row) {
        if (columns[static_cast<std::size_t>(col)] & (1 << row)) {
          fill(x + col * scale, y + row * scale, scale, scale, colour);
        }
      }
    }
    x += 6 * scale;
  }
}

std::string PngImage::encode() const {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width_);
  image.height = static_cast<png_uint_32>(height_);
  image.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels_.data(), 0, nullptr)) return {};
  std::string out(size, '\0');
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, pixels_.data(), 0, nullptr)) {
    png_image_free(&image);
    return {};
  }
  out.resize(size);
  return out;
}

Rgb colourNamed(std::string_view name) {
  struct Named {
    std::string_view name;
    Rgb rgb;
  };
  static constexpr Named kColours[] = {
      {"black", {40, 40, 40}},  {"white", {245, 245, 245}}, {"navy", {30, 45, 110}},
      {"red", {200, 40, 50}},   {"ivory", {250, 245, 225}}, {"grey", {150, 150, 150}},
      {"blue", {60, 110, 200}}, {"green", {50, 140, 80}},   {"pink", {235, 150, 180}},
      {"brown", {120, 80, 50}}, {"tan", {210, 180, 140}},   {"purple", {120, 70, 160}},
  };
  const std::string lower = lowerAscii(name);
  for (const auto& c : kColours) {
    if (c.name == lower) return c.rgb;
  }
  return {200, 200, 200};
}

std::vector<std::string> wrapText(std::string_view text, std::size_t width) {
  std::vector<std::string> lines;
  std::string line;
  for (const std::string& word : split(text, ' ')) {
    if (word.empty()) continue;
    if (!line.empty() && line.size() + 1 + word.size() > width) {
      lines.push_back(line);
      line.clear();
    }
    if (!line.empty()) line += ' ';
    line += word.substr(0, width);
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace kelda::server
