#include "platform/raster/box_reduce.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace raster {
namespace {

uint32_t Grey(uint32_t v) { return 0xFF000000u | v << 16 | v << 8 | v; }

Bitmap Checkerboard(int32_t w, int32_t h) {
  Bitmap b(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) b.SetPixel(x, y, Grey((x + y) % 2 ? 255 : 0));
  return b;
}

int Blue(uint32_t pixel) { return int(pixel & 0xFF); }

// A one-pixel checkerboard reduced by a whole factor is exactly mid-grey; by
// an uneven factor it stays near mid-grey everywhere (a dropped-pixel
// reduction shows pure black and white, or a coarser checkerboard).
TEST(BoxReduce, FineCheckerboardBecomesMidGrey) {
  const Bitmap source = Checkerboard(600, 400);
  for (const auto& [w, h] : {std::pair{300, 200}, std::pair{200, 100}, std::pair{257, 171}, std::pair{71, 53}}) {
    Bitmap target(w, h);
    BoxReduce(source, target);
    const int tolerance = (600 % w == 0 && 400 % h == 0) ? 1 : 24;
    int lowest = 255, highest = 0;
    for (int32_t y = 0; y < h; ++y) {
      for (int32_t x = 0; x < w; ++x) {
        lowest = std::min(lowest, Blue(target.Pixel(x, y)));
        highest = std::max(highest, Blue(target.Pixel(x, y)));
        EXPECT_EQ(target.Pixel(x, y) >> 24, 255u);
      }
    }
    EXPECT_GE(lowest, 128 - tolerance) << w << " x " << h;
    EXPECT_LE(highest, 128 + tolerance) << w << " x " << h;
  }
}

// Three source pixels into two: each target pixel takes one whole source pixel
// and half of the middle one, so its value is (2a + b) / 3.
TEST(BoxReduce, PartlyCoveredPixelsCountByTheirShare) {
  Bitmap source(3, 1);
  source.SetPixel(0, 0, 0x00000030u);
  source.SetPixel(1, 0, 0x00000090u);
  source.SetPixel(2, 0, 0x000000F0u);
  Bitmap target(2, 1);
  BoxReduce(source, target);
  EXPECT_EQ(target.Pixel(0, 0), 0x00000050u);  // (2 × 0x30 + 0x90) / 3
  EXPECT_EQ(target.Pixel(1, 0), 0x000000D0u);  // (0x90 + 2 × 0xF0) / 3
}

TEST(BoxReduce, FlatAreasAndSameSizeStayExact) {
  Bitmap flat(97, 61);
  flat.Fill(0x80C0FF11u);
  Bitmap reduced(13, 7);
  BoxReduce(flat, reduced);
  for (int32_t y = 0; y < 7; ++y)
    for (int32_t x = 0; x < 13; ++x) ASSERT_EQ(reduced.Pixel(x, y), 0x80C0FF11u);

  Bitmap numbered(5, 4), copy(5, 4);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 5; ++x) numbered.SetPixel(x, y, uint32_t(y * 0x1020304 + x * 0x0A0B0C0D));
  BoxReduce(numbered, copy);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 5; ++x) EXPECT_EQ(copy.Pixel(x, y), numbered.Pixel(x, y));
}

// Rows go top to bottom: the top half of the target comes from the top half
// of the source.
TEST(BoxReduce, KeepsOrientationAndRefusesToEnlarge) {
  Bitmap source(4, 4);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 4; ++x) source.SetPixel(x, y, Grey(y < 2 ? 10 : 200) + (x < 2 ? 0 : 0x010000));
  Bitmap target(2, 2);
  BoxReduce(source, target);
  EXPECT_EQ(target.Pixel(0, 0), Grey(10));
  EXPECT_EQ(target.Pixel(1, 0), Grey(10) + 0x010000);
  EXPECT_EQ(target.Pixel(0, 1), Grey(200));

  Bitmap larger(5, 2);
  EXPECT_THROW(BoxReduce(source, larger), std::invalid_argument);
}

}  // namespace
}  // namespace raster
