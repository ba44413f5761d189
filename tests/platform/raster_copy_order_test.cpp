// Copies within one bitmap that run in place, checked against the same copy
// made from a snapshot of the bitmap taken first; and block copies long enough
// to use the vector loop, checked pixel by pixel.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "platform/raster/drawing.h"

namespace raster {
namespace {

void FillNumbered(Bitmap& b) {
  for (int32_t y = 0; y < b.Height(); ++y)
    for (int32_t x = 0; x < b.Width(); ++x) b.SetPixel(x, y, 1000u * uint32_t(y + 1) + uint32_t(x + 1));
}

bool SamePixels(const Bitmap& a, const Bitmap& b) {
  for (int32_t y = 0; y < a.Height(); ++y)
    for (int32_t x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}

struct ScaledCopy {
  int32_t xd, yd, wd, hd, xs, ys, ws, hs;
};

// Draws the copy within one bitmap, and from a snapshot onto an equal bitmap;
// both under the same clip (none when clip is null).
::testing::AssertionResult InPlaceMatchesSnapshot(int32_t W, int32_t H, const ScaledCopy& c, const Region* clip) {
  Bitmap inPlace(W, H), expected(W, H), snapshot(W, H);
  FillNumbered(inPlace);
  FillNumbered(expected);
  FillNumbered(snapshot);
  SelectClipRgn(inPlace, clip);
  SelectClipRgn(expected, clip);
  StretchBlt(inPlace, c.xd, c.yd, c.wd, c.hd, inPlace, c.xs, c.ys, c.ws, c.hs);
  StretchBlt(expected, c.xd, c.yd, c.wd, c.hd, snapshot, c.xs, c.ys, c.ws, c.hs);
  if (SamePixels(inPlace, expected)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "S(" << c.xd << "," << c.yd << "," << c.wd << "," << c.hd << " <- " << c.xs
                                       << "," << c.ys << "," << c.ws << "," << c.hs << ") on " << W << "x" << H
                                       << (clip ? " clipped" : "");
}

TEST(StretchBltInPlace, SqueezesInEveryDirectionReadTheOldPicture) {
  const ScaledCopy squeezes[] = {
      {13, 0, 27, 9, 0, 0, 40, 9},  // squeezed to the right
      {0, 0, 27, 9, 0, 0, 40, 9},  // to the left
      {0, 3, 40, 6, 0, 0, 40, 9},  // down
      {0, 0, 40, 6, 0, 0, 40, 9},  // up
      {1, 1, 38, 7, 0, 0, 40, 9},  // towards the middle: reads on both sides
      {0, 0, 40, 9, 5, 2, 20, 4},  // enlarged from a corner
      {39, 0, -30, 9, 0, 0, 40, 9},  // squeezed and mirrored
      {20, 0, -20, 9, 20, 0, 20, 9},  // mirrored onto its own place
  };
  const RegionPtr clip = CreateEllipticRgn(3, -2, 37, 12);
  for (const ScaledCopy& c : squeezes) {
    EXPECT_TRUE(InPlaceMatchesSnapshot(40, 9, c, nullptr));
    EXPECT_TRUE(InPlaceMatchesSnapshot(40, 9, c, clip.get()));
  }
}

TEST(StretchBltInPlace, RandomCopiesReadTheOldPicture) {
  std::mt19937 rng(20261210);
  auto pick = [&](int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(rng); };
  const RegionPtr clip = CreateRoundRectRgn(2, 1, 30, 18, 9, 7);
  for (int n = 0; n < 2000; ++n) {
    const int32_t W = pick(1, 120), H = pick(1, 13);
    const ScaledCopy c{pick(-5, W), pick(-5, H), pick(-W - 3, W + 3), pick(-H - 3, H + 3),
                       pick(-3, W), pick(-3, H), pick(1, W + 2),      pick(1, H + 2)};
    ASSERT_TRUE(InPlaceMatchesSnapshot(W, H, c, n % 3 == 0 ? clip.get() : nullptr)) << "case " << n;
  }
}

// Rows of a scaled copy are gathered eight pixels at a time where the sources
// lie close together; every pixel must still be the nearest source pixel,
// with pixel centres spread evenly: step i of n over m source pixels reads
// source pixel (2i + 1) m / 2n.
TEST(StretchBltBetweenBitmaps, EveryScaleAndMirrorTakesTheNearestSourcePixel) {
  Bitmap src(200, 1);
  FillNumbered(src);
  for (const int32_t m : {7, 50, 99, 100, 101, 150, 199, 200}) {
    for (const int32_t n : {-200, -131, -100, -60, 1, 9, 60, 100, 131, 199, 200}) {
      if (n == m) continue;
      Bitmap dst(200, 1);
      const int32_t xd = n > 0 ? 0 : 199, xs = 200 - m;
      StretchBlt(dst, xd, 0, n, 1, src, xs, 0, m, 1);
      const int32_t steps = n > 0 ? n : -n;
      for (int32_t i = 0; i < steps; ++i) {
        const int32_t x = n > 0 ? xd + i : xd - i;
        const uint32_t expected = 1000u + uint32_t(xs + (2 * i + 1) * m / (2 * steps) + 1);
        ASSERT_EQ(dst.Pixel(x, 0), expected) << m << " source pixels onto " << n << ", step " << i;
      }
    }
  }
}

// Step i of a run of n destination pixels (counted from xd, leftwards when
// n < 0) reads source pixel xs + (2i + 1) m / 2|n|, or nothing when that lies
// outside the source. Blocks of eight read windows of 8, 16 or 32 source
// pixels, pulled back at a row's end; narrow sources, runs ending at the
// source's edge, mirrors and shrinks past 4:1 all take the nearest pixel.
int32_t NearestSourceOrNone(int32_t x, int32_t xd, int32_t n, int32_t xs, int32_t m, int32_t limit) {
  const int64_t steps = n > 0 ? n : -n;
  const int64_t i = n > 0 ? int64_t{x} - xd : int64_t{xd} - x;
  if (i < 0 || i >= steps) return -1;
  const int64_t source = xs + ((2 * i + 1) * m) / (2 * steps);
  return source >= 0 && source < limit ? static_cast<int32_t>(source) : -1;
}

TEST(StretchBltBetweenBitmaps, RandomCopiesTakeTheNearestSourcePixelEverywhere) {
  std::mt19937 rng(20261211);
  auto pick = [&](int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(rng); };
  for (int n = 0; n < 1500; ++n) {
    const int32_t sw = pick(1, 90), sh = pick(1, 6), dw = pick(1, 260), dh = pick(1, 7);
    const int32_t ws = pick(1, sw + 4), steps = pick(1, 4 * ws + 20);  // shrinks past 4:1 to enlargements
    const ScaledCopy c{
        pick(-20, dw),  pick(-2, dh), pick(0, 1) ? steps : -steps, pick(-9, 9), pick(-5, sw), pick(-1, sh), ws,
        pick(1, sh + 2)};
    if (c.hd == 0) continue;
    Bitmap src(sw, sh), dst(dw, dh);
    FillNumbered(src);
    StretchBlt(dst, c.xd, c.yd, c.wd, c.hd, src, c.xs, c.ys, c.ws, c.hs);
    for (int32_t y = 0; y < dh; ++y) {
      const int32_t ys = NearestSourceOrNone(y, c.yd, c.hd, c.ys, c.hs, sh);
      for (int32_t x = 0; x < dw; ++x) {
        const int32_t xs = NearestSourceOrNone(x, c.xd, c.wd, c.xs, c.ws, sw);
        const uint32_t expected = xs >= 0 && ys >= 0 ? src.Pixel(xs, ys) : 0u;
        ASSERT_EQ(dst.Pixel(x, y), expected)
            << "case " << n << ": S(" << c.xd << "," << c.yd << "," << c.wd << "," << c.hd << " <- " << c.xs << ","
            << c.ys << "," << c.ws << "," << c.hs << ") from " << sw << "x" << sh << " onto " << dw << "x" << dh
            << ", pixel " << x << "," << y;
      }
    }
  }
}

TEST(BitBltBetweenBitmaps, LongRunsCopyEveryPixel) {
  for (const int32_t w : {15, 16, 17, 33, 100}) {
    Bitmap src(w + 3, 2), dst(w + 3, 2);
    FillNumbered(src);
    BitBlt(dst, 2, 1, w, 1, src, 1, 0);
    for (int32_t x = 0; x < w + 3; ++x) {
      const uint32_t expected = x >= 2 && x < w + 2 ? 1000u + uint32_t(x) : 0u;
      ASSERT_EQ(dst.Pixel(x, 1), expected) << "width " << w << " column " << x;
    }
  }
}

}  // namespace
}  // namespace raster
