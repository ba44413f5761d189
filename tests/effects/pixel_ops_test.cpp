#include <gtest/gtest.h>

#include <vector>

#include "effects/pixel_ops.h"

namespace effects {
namespace {

using raster::Bitmap;

// Grey bitmap with reserved byte 7, so changes to it show.
Bitmap Grey(int32_t w, int32_t h, uint8_t level) {
  Bitmap b(w, h);
  b.Fill(0x07000000u | level * 0x010101u);
  return b;
}

int Delta(const Bitmap& b, int32_t x, int32_t y, int base) { return b.ScanLine(y)[x].rgbGreen - base; }

TEST(HReflect, DeltaTablesOfTheWorkedExamples) {
  Bitmap b = Grey(22, 2, 100);
  ApplyHReflect(b, 64, 1, 20);
  const int expected[20] = {-64, -58, -52, -46, -40, -34, -28, -22, -16, -10,
                            -4,  -10, -16, -22, -28, -34, -40, -46, -52, -58};
  for (int k = 0; k < 20; ++k) EXPECT_EQ(Delta(b, 1 + k, 1, 100), expected[k]) << "column " << k + 1;
  EXPECT_EQ(Delta(b, 0, 0, 100), 0);
  EXPECT_EQ(Delta(b, 21, 0, 100), 0);
  EXPECT_EQ(b.ScanLine(0)[5].rgbReserved, 7);

  Bitmap wide = Grey(200, 1, 100);
  ApplyHReflect(wide, 64, 0, 200);
  EXPECT_EQ(Delta(wide, 0, 0, 100), -64);
  EXPECT_EQ(Delta(wide, 99, 0, 100), 35);
  EXPECT_EQ(Delta(wide, 199, 0, 100), -65);
}

TEST(VReflect, RowsFromTheBottomOfTheBand) {
  Bitmap b = Grey(3, 20, 100);
  ApplyVReflect(b, 64, 0, 20);
  const int expected[20] = {-64, -58, -52, -46, -40, -34, -28, -22, -16, -10,
                            -16, -22, -28, -34, -40, -46, -52, -58, -64, -70};
  for (int k = 0; k < 20; ++k)
    EXPECT_EQ(Delta(b, 1, 19 - k, 100), expected[k]) << "row " << k + 1 << " from the bottom";
}

TEST(Reflect, ClampsAndIgnoresTinyBands) {
  Bitmap dark = Grey(4, 4, 30);
  ApplyHReflect(dark, 64, 0, 2);
  EXPECT_EQ(dark.ScanLine(0)[0].rgbRed, 0);
  Bitmap bright = Grey(200, 1, 250);
  ApplyHReflect(bright, 64, 0, 200);  // rises to +35 at column 100
  EXPECT_EQ(bright.ScanLine(0)[99].rgbBlue, 255);
  Bitmap same = Grey(4, 4, 90);
  ApplyHReflect(same, 64, 0, 1);
  ApplyVReflect(same, 0, 0, 4);
  for (size_t i = 0; i < same.PixelCount(); ++i) ASSERT_EQ(same.Bits()[i], 0x075A5A5Au);
}

TEST(MergeTransparent, HalfWeightBothWaysAndEnds) {
  Bitmap d = Grey(2, 1, 0), s = Grey(2, 1, 255);
  MergeTransparent(d, s, 50, 0, 0, 2, 1);
  EXPECT_EQ(d.ScanLine(0)[0].rgbRed, 127);
  Bitmap d2 = Grey(2, 1, 255), s2 = Grey(2, 1, 0);
  MergeTransparent(d2, s2, 50, 0, 0, 2, 1);
  EXPECT_EQ(d2.ScanLine(0)[1].rgbGreen, 127);
  Bitmap full = Grey(3, 3, 10), src = Grey(3, 3, 200);
  MergeTransparent(full, src, 100, 1, 1, 2, 2);
  EXPECT_EQ(full.ScanLine(1)[1].rgbBlue, 200);
  EXPECT_EQ(full.ScanLine(0)[0].rgbBlue, 10);
  MergeTransparent(full, src, 0, 0, 0, 3, 3);
  EXPECT_EQ(full.ScanLine(0)[0].rgbBlue, 10);
}

TEST(MergeRotate, AngleZeroShiftsByOneTowardsTheOrigin) {
  Bitmap src(4, 3), dst(4, 3);
  for (size_t i = 0; i < src.PixelCount(); ++i) src.Bits()[i] = uint32_t(i + 1);
  dst.Fill(0xEEu);
  MergeRotate(dst, src, 1, 1, 0.0L);
  // Pixel (x, r) of the bottom-up frame takes source (x + 1, r + 1).
  for (int r = 0; r < 3; ++r)
    for (int x = 0; x < 4; ++x) {
      const uint32_t got = dst.Bits()[r * 4 + x];
      if (x == 3 || r == 2)
        EXPECT_EQ(got, 0xEEu) << x << "," << r;
      else
        EXPECT_EQ(got, src.Bits()[(r + 1) * 4 + x + 1]) << x << "," << r;
    }
}

}  // namespace
}  // namespace effects
