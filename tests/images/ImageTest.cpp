// Telling images from other bytes: PNG through libpng, JPEG and GIF by their headers.
#include "support/Image.hpp"

#include <gtest/gtest.h>

#include <string>

#include "images/TestPng.hpp"

namespace kelda::test {
namespace {

using support::Image;
using support::ImageFormat;

TEST(ImageTest, ReadsFormatAndSizeOfEachKind) {
  auto png = Image::fromData(makePng(31, 7));
  ASSERT_TRUE(png);
  EXPECT_EQ(png->format(), ImageFormat::Png);
  EXPECT_EQ(png->width(), 31);
  EXPECT_EQ(png->height(), 7);
  EXPECT_TRUE(png->name().empty());

  // A baseline JPEG header: SOI, an APP0 segment, then SOF0 with height 480 and width 640.
  std::string jpeg("\xFF\xD8\xFF\xE0\x00\x04\x4A\x46\xFF\xC0\x00\x11\x08\x01\xE0\x02\x80\x03", 18);
  auto jpg = Image::fromData(jpeg);
  ASSERT_TRUE(jpg);
  EXPECT_EQ(jpg->format(), ImageFormat::Jpeg);
  EXPECT_EQ(jpg->width(), 640);
  EXPECT_EQ(jpg->height(), 480);

  auto gif = Image::fromData(std::string("GIF89a\x10\x00\x20\x00\xF7\x00\x00", 13));
  ASSERT_TRUE(gif);
  EXPECT_EQ(gif->format(), ImageFormat::Gif);
  EXPECT_EQ(gif->width(), 16);
  EXPECT_EQ(gif->height(), 32);
}

TEST(ImageTest, RefusesBytesThatAreNotAnImage) {
  const std::string png = makePng(4, 4);
  for (const std::string& bytes :
       {std::string(), std::string("<html>Not Found</html>"), png.substr(0, 8), png.substr(0, 20),
        std::string("\xFF\xD8\xFF\xD9", 4), std::string("GIF89a\x00\x00\x05\x00", 10),
        std::string("\xFF\xD8\xFF\xE0\xFF\xFF", 6), std::string(100000, '\0')}) {
    EXPECT_FALSE(Image::fromData(bytes)) << bytes.size() << " bytes";
  }
  // A header chunk that claims a width of zero.
  std::string zeroWidth = png;
  zeroWidth.replace(16, 4, std::string(4, '\0'));
  EXPECT_FALSE(Image::fromData(zeroWidth));
}

}  // namespace
}  // namespace kelda::test
