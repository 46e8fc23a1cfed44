// BitmapFont: a 5x7 pixel font for labels drawn into generated images. Letters are drawn in
// capitals; characters outside printable ASCII are drawn as "?". Constant data; any thread.
#pragma once

#include <array>
#include <cstdint>

namespace kelda::server {

// Five columns of seven bits (bit 0 is the top row) for one character.
const std::array<std::uint8_t, 5>& glyph(char c);

}  // namespace kelda::server
