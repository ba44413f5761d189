#include <gtest/gtest.h>

#include <vector>

#include "platform/raster/drawing.h"
#include "platform/raster/pixel_copy.h"

namespace raster {
namespace {

// A bitmap whose pixel (x, y) holds 1000 * (y + 1) + x + 1, so every pixel
// names where it came from; 0 marks an untouched destination.
Bitmap Numbered(int32_t w, int32_t h, uint32_t base = 0) {
  Bitmap b(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) b.SetPixel(x, y, base + 1000u * uint32_t(y + 1) + uint32_t(x + 1));
  return b;
}

std::vector<uint32_t> Snapshot(const Bitmap& b) {
  std::vector<uint32_t> v;
  for (int32_t y = 0; y < b.Height(); ++y)
    for (int32_t x = 0; x < b.Width(); ++x) v.push_back(b.Pixel(x, y));
  return v;
}

// Every length takes one of the block paths (pixel by pixel, blocks of four,
// of sixteen, long runs), each finishing with a block that ends at the run's
// end: every pixel of the run is copied and none beside it is touched.
TEST(CopyPixels, EveryLengthCopiesExactlyTheRun) {
  std::vector<uint32_t> from(300), to(300);
  for (size_t i = 0; i < from.size(); ++i) from[i] = uint32_t(i + 1);
  for (size_t start : {0u, 1u, 3u}) {
    for (size_t n = 0; n <= 260; ++n) {
      std::fill(to.begin(), to.end(), 0u);
      CopyPixels(to.data() + start, from.data() + start + 7, n);
      for (size_t i = 0; i < to.size(); ++i) {
        const uint32_t expected = i >= start && i < start + n ? from[i + 7] : 0u;
        ASSERT_EQ(to[i], expected) << "start " << start << ", length " << n << ", pixel " << i;
      }
    }
  }
}

TEST(Bitmap, RowsAreStoredBottomUp) {
  Bitmap b = Numbered(3, 2);
  EXPECT_EQ(b.Bits()[0], 2001u);  // bottom row first
  EXPECT_EQ(b.Bits()[3], 1001u);
  EXPECT_EQ(reinterpret_cast<uint32_t*>(b.ScanLine(b.Height() - 1)), b.Bits());
  EXPECT_EQ(b.ScanLine(0) - b.ScanLine(1), 3);
  Bitmap other(3, 2);
  EXPECT_NE(b.Handle(), other.Handle());
}

TEST(BitBlt, CopiesAndClipsToBothBitmaps) {
  const Bitmap src = Numbered(4, 3);
  Bitmap dst(5, 5);
  BitBlt(dst, 3, -1, 4, 4, src, 0, 0);  // reaches past the right and top edges
  EXPECT_EQ(dst.Pixel(3, 0), 2001u);
  EXPECT_EQ(dst.Pixel(4, 1), 3002u);
  EXPECT_EQ(dst.Pixel(3, 2), 0u);  // source row 3 does not exist: left alone
  EXPECT_EQ(dst.Pixel(2, 0), 0u);
  Bitmap d2(4, 3);
  BitBlt(d2, 0, 0, 4, 3, src, -2, 1);  // source partly outside on the left and below
  EXPECT_EQ(d2.Pixel(0, 0), 0u);
  EXPECT_EQ(d2.Pixel(2, 0), 2001u);
  EXPECT_EQ(d2.Pixel(3, 1), 3002u);
  EXPECT_EQ(d2.Pixel(3, 2), 0u);
  Bitmap d3(4, 3);
  BitBlt(d3, 0, 0, 0, 3, src, 0, 0);
  BitBlt(d3, 0, 0, -4, 3, src, 0, 0);
  EXPECT_EQ(Snapshot(d3), std::vector<uint32_t>(12, 0u));
}

TEST(BitBlt, OverlappingCopyWithinOneBitmapReadsSourceFirst) {
  const struct {
    int32_t xd, yd, xs, ys;
  } cases[] = {{2, 0, 0, 0}, {0, 0, 2, 0}, {0, 2, 0, 0}, {0, 0, 0, 2}, {1, 1, 0, 0}, {0, 0, 1, 1}, {1, 0, 0, 1}};
  for (const auto& c : cases) {
    Bitmap b = Numbered(7, 6);
    const Bitmap before = Numbered(7, 6);
    Bitmap expected(7, 6);
    // Through a clip with several spans per row.
    const Region clip = Region::FromRects(std::vector<Rect>{{0, 0, 2, 6}, {3, 0, 7, 6}});
    SelectClipRgn(b, &clip);
    SelectClipRgn(expected, &clip);
    b.Assign(before);
    expected.Assign(before);
    BitBlt(expected, c.xd, c.yd, 5, 4, before, c.xs, c.ys);
    BitBlt(b, c.xd, c.yd, 5, 4, b, c.xs, c.ys);
    EXPECT_EQ(Snapshot(b), Snapshot(expected)) << c.xd << "," << c.yd << " <- " << c.xs << "," << c.ys;
  }
}

TEST(Clip, NoRegionDrawsEverywhereEmptyRegionNowhere) {
  const Bitmap src = Numbered(3, 3);
  Bitmap a(3, 3), b(3, 3);
  SelectClipRgn(a, nullptr);
  BitBlt(a, 0, 0, 3, 3, src, 0, 0);
  EXPECT_EQ(Snapshot(a), Snapshot(src));
  const Region empty;
  SelectClipRgn(b, &empty);
  ASSERT_NE(b.ClipRegion(), nullptr);
  BitBlt(b, 0, 0, 3, 3, src, 0, 0);
  EXPECT_EQ(Snapshot(b), std::vector<uint32_t>(9, 0u));
}

TEST(Clip, SelectedRegionIsACopyAndLimitsCopies) {
  const Bitmap src = Numbered(4, 4);
  Bitmap dst(4, 4);
  RegionPtr r = CreateRectRgn(1, 1, 3, 3);
  SelectClipRgn(dst, r.get());
  *r = Region::FromRect({0, 0, 4, 4});  // later changes don't reach the clip
  r.reset();
  StretchBlt(dst, 0, 0, 4, 4, src, 0, 0, 2, 2);
  BitBlt(dst, 0, 0, 4, 4, src, 0, 0);
  EXPECT_EQ(dst.Pixel(0, 0), 0u);
  EXPECT_EQ(dst.Pixel(1, 1), 2002u);
  EXPECT_EQ(dst.Pixel(3, 2), 0u);
  // Excluding a rectangle from "no clip" starts from the whole bitmap.
  Bitmap e(4, 4);
  ExcludeClipRect(e, 1, 0, 3, 4);
  BitBlt(e, 0, 0, 4, 4, src, 0, 0);
  EXPECT_EQ(e.Pixel(0, 2), 3001u);
  EXPECT_EQ(e.Pixel(1, 2), 0u);
  EXPECT_EQ(e.Pixel(3, 2), 3004u);
}

TEST(StretchBlt, NearestPixelTwoByTwoToFiveByFive) {
  const Bitmap src = Numbered(2, 2);
  Bitmap dst(5, 5);
  StretchBlt(dst, 0, 0, 5, 5, src, 0, 0, 2, 2);
  // Destination centres 0.5..4.5 map to source centres spread evenly: 0,0,1,1,1.
  const uint32_t cols[5] = {1, 1, 2, 2, 2};
  for (int32_t y = 0; y < 5; ++y)
    for (int32_t x = 0; x < 5; ++x) EXPECT_EQ(dst.Pixel(x, y), 1000u * cols[y] + cols[x]) << x << "," << y;
  Bitmap down(2, 2);
  StretchBlt(down, 0, 0, 2, 2, Numbered(4, 4), 0, 0, 4, 4);
  EXPECT_EQ(down.Pixel(0, 0), 2002u);  // centre 0.5 of 2 is 1.0 of 4: pixel 1
  StretchBlt(down, 0, 0, 2, 2, Numbered(6, 6), 0, 0, 6, 6);
  EXPECT_EQ(down.Pixel(1, 1), 5005u);  // centres 1.5 and 4.5 of 6
}

TEST(StretchBlt, NegativeSizesMirror) {
  const Bitmap src = Numbered(3, 2);
  Bitmap dst(5, 4);
  // Destination covers columns xd + wd + 1 .. xd; column xd - i shows source column i.
  StretchBlt(dst, 3, 0, -3, 2, src, 0, 0, 3, 2);
  EXPECT_EQ(dst.Pixel(3, 0), 1001u);
  EXPECT_EQ(dst.Pixel(2, 0), 1002u);
  EXPECT_EQ(dst.Pixel(1, 1), 2003u);
  EXPECT_EQ(dst.Pixel(0, 0), 0u);
  EXPECT_EQ(dst.Pixel(4, 0), 0u);
  Bitmap v(3, 4);
  StretchBlt(v, 0, 3, 3, -2, src, 0, 0, 3, 2);
  EXPECT_EQ(v.Pixel(0, 3), 1001u);
  EXPECT_EQ(v.Pixel(2, 2), 2003u);
  EXPECT_EQ(v.Pixel(0, 1), 0u);
  // Mirrored and scaled: 3 source columns onto 6 destination columns.
  Bitmap w(6, 1);
  StretchBlt(w, 5, 0, -6, 1, src, 0, 0, 3, 1);
  const uint32_t expected[6] = {1003, 1003, 1002, 1002, 1001, 1001};
  for (int32_t x = 0; x < 6; ++x) EXPECT_EQ(w.Pixel(x, 0), expected[x]) << x;
}

TEST(StretchBlt, EmptySizesDrawNothingAndOutsideSourceIsLeftAlone) {
  const Bitmap src = Numbered(3, 3);
  Bitmap dst(3, 3);
  StretchBlt(dst, 0, 0, 0, 3, src, 0, 0, 3, 3);
  StretchBlt(dst, 0, 0, 3, 3, src, 0, 0, 0, 3);
  StretchBlt(dst, 0, 0, 3, 0, src, 0, 0, 3, 3);
  EXPECT_EQ(Snapshot(dst), std::vector<uint32_t>(9, 0u));
  // Source starts one column left of the bitmap: that destination column stays.
  StretchBlt(dst, 0, 0, 2, 3, src, -1, 0, 1, 3);
  EXPECT_EQ(dst.Pixel(0, 0), 0u);
  EXPECT_EQ(dst.Pixel(1, 0), 0u);
  StretchBlt(dst, 0, 0, 3, 3, src, -1, 0, 3, 3);
  EXPECT_EQ(dst.Pixel(0, 1), 0u);
  EXPECT_EQ(dst.Pixel(1, 1), 2001u);
}

TEST(StretchBlt, WithinOneBitmapReadsSourceFirst) {
  Bitmap b = Numbered(6, 2);
  const Bitmap before = Numbered(6, 2);
  Bitmap expected(6, 2);
  expected.Assign(before);
  StretchBlt(expected, 0, 0, 6, 2, before, 0, 0, 3, 2);
  StretchBlt(b, 0, 0, 6, 2, b, 0, 0, 3, 2);
  EXPECT_EQ(Snapshot(b), Snapshot(expected));
}

}  // namespace
}  // namespace raster
