#include "tools/raster/Raster.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

uint32_t Read32(const std::vector<uint8_t>& Bytes, size_t At) {
  return Bytes[At] | Bytes[At + 1] << 8 | Bytes[At + 2] << 16 | static_cast<uint32_t>(Bytes[At + 3]) << 24;
}

uint16_t Read16(const std::vector<uint8_t>& Bytes, size_t At) { return static_cast<uint16_t>(Bytes[At] | Bytes[At + 1] << 8); }

}  // namespace

TEST(RasterBmp, TrueColourRowsArePaddedBottomUpAndBlueFirst) {
  TRaster Image(3, 2, {1, 2, 3});
  Image.SetPixel(0, 0, {10, 20, 30});   // top left
  Image.SetPixel(2, 1, {40, 50, 60});   // bottom right
  const std::vector<uint8_t> Bytes = Image.BmpBytes();
  // 3 pixels of 3 bytes make 9 bytes, padded to 12 per row.
  ASSERT_EQ(Bytes.size(), 54u + 2 * 12);
  EXPECT_EQ(Bytes[0], 'B');
  EXPECT_EQ(Bytes[1], 'M');
  EXPECT_EQ(Read32(Bytes, 2), Bytes.size());
  EXPECT_EQ(Read32(Bytes, 10), 54u);
  EXPECT_EQ(Read32(Bytes, 14), 40u);
  EXPECT_EQ(Read32(Bytes, 18), 3u);
  EXPECT_EQ(Read32(Bytes, 22), 2u);
  EXPECT_EQ(Read16(Bytes, 26), 1);
  EXPECT_EQ(Read16(Bytes, 28), 24);
  EXPECT_EQ(Read32(Bytes, 30), 0u);
  EXPECT_EQ(Read32(Bytes, 34), 24u);
  // The bottom row comes first; its last pixel is the bottom-right one.
  EXPECT_EQ(Bytes[54 + 6], 60);
  EXPECT_EQ(Bytes[54 + 7], 50);
  EXPECT_EQ(Bytes[54 + 8], 40);
  for (int Pad = 9; Pad < 12; ++Pad)
    EXPECT_EQ(Bytes[54 + Pad], 0);
  EXPECT_EQ(Bytes[54 + 12], 30);
  EXPECT_EQ(Bytes[54 + 13], 20);
  EXPECT_EQ(Bytes[54 + 14], 10);
}

TEST(RasterBmp, MonochromeHasBlackWhitePaletteAndLeftmostPixelInHighBit) {
  TRaster Image(40, 3, {255, 255, 255});
  Image.SetPixel(0, 0, {0, 0, 0});
  Image.SetPixel(33, 2, {100, 100, 100});  // darker than mid-grey: black
  Image.SetPixel(34, 2, {200, 200, 200});  // lighter: white
  const std::vector<uint8_t> Bytes = Image.MonoBmpBytes();
  // 40 bits round up to two 32-bit words per row.
  ASSERT_EQ(Bytes.size(), 62u + 3 * 8);
  EXPECT_EQ(Read32(Bytes, 10), 62u);
  EXPECT_EQ(Read16(Bytes, 28), 1);
  EXPECT_EQ(Read32(Bytes, 46), 2u);
  EXPECT_EQ(Read32(Bytes, 54), 0x000000u);
  EXPECT_EQ(Read32(Bytes, 58), 0xFFFFFFu);
  const size_t BottomRow = 62, TopRow = 62 + 2 * 8;
  EXPECT_EQ(Bytes[TopRow], 0x7F);
  EXPECT_EQ(Bytes[BottomRow + 4], static_cast<uint8_t>(~0x40));
  // Padding bits past the last pixel stay 0.
  EXPECT_EQ(Bytes[TopRow + 5], 0);
}

TEST(RasterShapes, SmoothEdgesCoverBorderPixelsPartly) {
  const TRgb Red{255, 0, 0};
  TRaster Image(16, 16, {0, 0, 0});
  Image.Fill(Ellipse(8, 8, 4, 4), Red);
  EXPECT_EQ(Image.Pixel(8, 8), Red);
  EXPECT_EQ(Image.Pixel(1, 1), (TRgb{0, 0, 0}));
  // The pixel centre (11.5, 8.5) lies about half a pixel inside the edge.
  const TRgb Edge = Image.Pixel(11, 8);
  EXPECT_GT(Edge.R, 0);
  EXPECT_LT(Edge.R, 255);

  Image.FillHard(RoundRect(0, 0, 4, 4, 0), Red);
  EXPECT_EQ(Image.Pixel(3, 3), Red);
  EXPECT_NE(Image.Pixel(4, 4), Red);
}

TEST(RasterShapes, DistancesAreNegativeInsideAndCombine) {
  const TShape Triangle = Polygon({{0, 0}, {10, 0}, {0, 10}});
  EXPECT_LT(Triangle(2, 2), 0);
  EXPECT_GT(Triangle(8, 8), 0);
  EXPECT_NEAR(Triangle(5, -3), 3, 1e-9);

  const TShape Box = RoundRect(0, 0, 10, 10, 0);
  const TShape Ring = Outline(Box, 2);
  EXPECT_LT(Ring(1, 5), 0);
  EXPECT_GT(Ring(5, 5), 0);
  EXPECT_GT(Ring(-1, 5), 0);

  // Inverted rectangles cover nothing.
  EXPECT_GT(RoundRect(10, 10, 0, 0, 4)(5, 5), 0);

  const TShape Holed = Subtract(Box, Ellipse(5, 5, 2, 2));
  EXPECT_GT(Holed(5, 5), 0);
  EXPECT_LT(Holed(1, 1), 0);
  EXPECT_LT(Union(Holed, Ellipse(5, 5, 1, 1))(5, 5), 0);

  // A thin stroke: distance from its centre line minus half its width.
  EXPECT_NEAR(Segment({0, 0}, {10, 0}, 2)(5, 3), 2, 1e-9);
  EXPECT_NEAR(Segment({0, 0}, {10, 0}, 2)(13, 0), 2, 1e-9);
}

TEST(RasterShapes, KeyOutsideCutsRoundedCornersOnly) {
  TRaster Image(20, 12, {10, 20, 30});
  Image.KeyOutside(RoundRect(0, 0, 20, 12, 5));
  EXPECT_EQ(Image.Pixel(0, 0), Magenta);
  EXPECT_EQ(Image.Pixel(19, 11), Magenta);
  EXPECT_NE(Image.Pixel(10, 0), Magenta);
  EXPECT_NE(Image.Pixel(0, 6), Magenta);
  EXPECT_NE(Image.Pixel(10, 6), Magenta);
}

TEST(RasterShapes, GradientRunsFromFirstToSecondColour) {
  const TPaint Paint = Gradient({0, 0}, {0, 0, 0}, {0, 10}, {200, 100, 50});
  EXPECT_EQ(Paint(3, -5), (TRgb{0, 0, 0}));
  EXPECT_EQ(Paint(7, 5), (TRgb{100, 50, 25}));
  EXPECT_EQ(Paint(-2, 40), (TRgb{200, 100, 50}));
}

#ifdef PANTREL_RASTER_JPEG
TEST(RasterJpeg, WritesACompleteJpegFile) {
  TRaster Image(33, 17);
  Image.Fill(RoundRect(2, 2, 30, 15, 4), Gradient({0, 0}, {255, 200, 0}, {33, 0}, {0, 80, 160}));
  const std::string Path = (std::filesystem::temp_directory_path() / "pantrel_raster_test.jpg").string();
  ASSERT_TRUE(Image.WriteJpeg(Path, 80));
  std::ifstream File(Path, std::ios::binary);
  const std::vector<uint8_t> Bytes((std::istreambuf_iterator<char>(File)), std::istreambuf_iterator<char>());
  std::remove(Path.c_str());
  ASSERT_GT(Bytes.size(), 4u);
  EXPECT_EQ(Bytes[0], 0xFF);
  EXPECT_EQ(Bytes[1], 0xD8);
  EXPECT_EQ(Bytes[Bytes.size() - 2], 0xFF);
  EXPECT_EQ(Bytes[Bytes.size() - 1], 0xD9);
}
#endif
