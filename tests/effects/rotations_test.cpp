// Pivots, sweeps, the turning rectangle and star, the spiral, and the rotated
// merge they rest on.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include "effects/pixel_ops.h"
#include "pixel_family_support.h"

namespace {

using namespace pixel_family_test;

// The rotated merge pixel by pixel as written down: 32-bit wrapping sums,
// every position tested. The library's version must match it exactly.
void ReferenceMergeRotate(raster::Bitmap& dst, const raster::Bitmap& src, int32_t xOrg, int32_t yOrg,
                          long double Angle) {
  const int32_t iSin = int32_t(std::sin(-Angle) * 65536.0L), iCos = int32_t(std::cos(-Angle) * 65536.0L);
  const int32_t W = src.Width(), H = src.Height();
  const auto wrap = [](int64_t v) { return int32_t(uint32_t(uint64_t(v))); };
  for (int32_t r = H - 1; r >= 0; --r) {
    for (int32_t x = W - 1; x >= 0; --x) {
      const int64_t xP = x - xOrg + 1, yP = r - yOrg + 1;
      const int32_t xs = (wrap(xP * iCos - yP * iSin) >> 16) + xOrg;
      const int32_t rs = (wrap(xP * iSin + yP * iCos) >> 16) + yOrg;
      if (xs >= 0 && xs < W && rs >= 0 && rs < H) dst.Bits()[size_t(r) * W + x] = src.Bits()[size_t(rs) * W + xs];
    }
  }
}

// Noise from `seed` and `seed + 1` turned onto noise: the library's result
// against the definition's.
void ExpectTheDefinition(int32_t W, int32_t H, int32_t xOrg, int32_t yOrg, long double angle, uint32_t seed) {
  raster::Bitmap src(W, H), expected(W, H), actual(W, H);
  FillNoise(src, seed);
  FillNoise(expected, seed + 1);
  actual.Assign(expected);
  ReferenceMergeRotate(expected, src, xOrg, yOrg, angle);
  effects::MergeRotate(actual, src, xOrg, yOrg, angle);
  ASSERT_EQ(0, std::memcmp(expected.Bits(), actual.Bits(), expected.PixelCount() * 4))
      << W << "x" << H << " origin " << xOrg << "," << yOrg << " angle " << double(angle);
}

TEST(MergeRotate, MatchesThePixelByPixelDefinition) {
  struct Case {
    int32_t w, h;
  };
  const long double pi = std::numbers::pi_v<long double>;
  uint32_t seed = 7;
  for (const Case size : {Case{1, 1}, Case{2, 3}, Case{37, 23}, Case{23, 37}, Case{160, 90}}) {
    const int32_t W = size.w, H = size.h;
    const std::vector<std::pair<int32_t, int32_t>> origins = {{-1, -1},       {-1, H},   {W, -1},        {W, H},
                                                              {W / 2, H / 3}, {-50, 70}, {3 * W, -2 * H}};
    for (const auto& [xOrg, yOrg] : origins) {
      for (int step = -9; step <= 9; ++step) {
        const long double angle = step * pi / 8 + (step % 3) * 0.013L;
        ASSERT_NO_FATAL_FAILURE(ExpectTheDefinition(W, H, xOrg, yOrg, angle, seed));
        seed += 2;
      }
    }
  }
}

// Small angles (|sin| up to 3/7) take rows eight pixels at a time from four
// source rows, except near the top and bottom source rows; frames wider than
// 1024 are done in strips. Angles just either side of the limit, both turns,
// the pivots' corners and origins inside and far outside.
TEST(MergeRotate, MatchesTheDefinitionAtSmallAnglesAndInStrips) {
  struct Case {
    int32_t w, h;
  };
  uint32_t seed = 101;
  for (const Case size : {Case{333, 217}, Case{1100, 61}, Case{2100, 9}}) {
    const int32_t W = size.w, H = size.h;
    const std::vector<std::pair<int32_t, int32_t>> origins = {{-1, -1}, {-1, H},        {W, -1},
                                                              {W, H},   {W / 3, H / 2}, {-40, 3 * H}};
    for (const auto& [xOrg, yOrg] : origins) {
      for (const long double angle :
           {0.0L, 0.004L, -0.004L, 0.2L, -0.2L, 0.3927L, -0.3927L, 0.4429L, -0.4429L, 0.4436L, -0.4436L}) {
        ASSERT_NO_FATAL_FAILURE(ExpectTheDefinition(W, H, xOrg, yOrg, angle, seed));
        seed += 2;
      }
    }
  }
}

// Turned into itself, a bitmap reads pixels already written: the result
// follows the stated order, top row first, each row from right to left.
TEST(MergeRotate, IntoItselfFollowsThePixelOrder) {
  raster::Bitmap expected(37, 23), actual(37, 23);
  FillNoise(expected, 3);
  actual.Assign(expected);
  ReferenceMergeRotate(expected, expected, 5, 30, 0.4L);
  effects::MergeRotate(actual, actual, 5, 30, 0.4L);
  EXPECT_EQ(0, std::memcmp(expected.Bits(), actual.Bits(), expected.PixelCount() * 4));
}

// Past about 32000 pixels of width plus height the products wrap around;
// the result must still be the wrapped one.
TEST(MergeRotate, MatchesTheDefinitionWhereProductsWrap) {
  raster::Bitmap src(33000, 2), expected(33000, 2), actual(33000, 2);
  FillNoise(src, 1);
  FillNoise(expected, 2);
  actual.Assign(expected);
  ReferenceMergeRotate(expected, src, -1, -1, 0.3L);
  effects::MergeRotate(actual, src, -1, -1, 0.3L);
  EXPECT_EQ(0, std::memcmp(expected.Bits(), actual.Bits(), expected.PixelCount() * 4));
}

// Pivot from top left at 50: the new picture, turned by 45 degrees about the
// bottom-left corner, fills the triangle (0, 0), (0, H), (H, 0).
TEST(Pivot, TopLeftAtHalfwayFillsTheTriangleAboveTheDiagonal) {
  auto t = PositionTransition(300, 100);
  const raster::Bitmap& frame = t->Frame(120, 50);
  const int32_t H = 100;
  for (int32_t y = 0; y < H; ++y) {
    for (int32_t x = 0; x < 300; ++x) {
      if (x + y < H - 3) {
        EXPECT_TRUE(IsNew(frame.Pixel(x, y))) << x << "," << y;
      } else if (x + y > H + 3) {
        EXPECT_EQ(OldPixelAt(x, y), frame.Pixel(x, y)) << x << "," << y;
      }
    }
  }
  // Worked by hand: iSin = -46340, iCos = 46340; bottom-up pixel (0, 10) has
  // xP = 2, yP = 12 and takes source (8, 6), i.e. top-down (8, 93).
  EXPECT_EQ(NewPixelAt(8, H - 1 - 6), frame.Pixel(0, H - 1 - 10));
}

// Each pivot enters across its own side edge about its own corner: at 50 the
// middle of that edge is new, while the neighbouring top or bottom edge just
// beside the corner lies beyond the 45-degree edge of the turned picture.
TEST(Pivot, EachStyleTurnsAboutItsCorner) {
  struct Case {
    int32_t style;
    int32_t newX, newY, oldX, oldY;
  };
  const int32_t W = 300, H = 100;
  for (const Case c : {Case{120, 5, H / 2, H / 2, H - 5}, Case{121, 5, H / 2, H / 2, 4},
                       Case{122, W - 6, H / 2, W - 1 - H / 2, H - 5}, Case{123, W - 6, H / 2, W - 1 - H / 2, 4}}) {
    auto t = PositionTransition(W, H);
    const raster::Bitmap& frame = t->Frame(c.style, 50);
    EXPECT_TRUE(IsNew(frame.Pixel(c.newX, c.newY))) << c.style;
    EXPECT_EQ(OldPixelAt(c.oldX, c.oldY), frame.Pixel(c.oldX, c.oldY)) << c.style;
    EXPECT_EQ(OldPixelAt(W / 2, H / 2), frame.Pixel(W / 2, H / 2)) << c.style;
  }
}

TEST(Sweep, ProgressOneShowsTheOldPicture) {
  for (const int32_t style : {144, 145}) {
    auto t = PositionTransition(120, 85);
    const raster::Bitmap& frame = t->Frame(style, 1);
    EXPECT_EQ(0, std::memcmp(frame.Bits(), t->oldPicture.Bits(), frame.PixelCount() * 4)) << style;
  }
}

// At 2 the slice is a 3.6 degree sliver from the centre (600, 425) up to
// radius 736: arc points (600, -311) and (646, -310). At the top edge it
// spans x = 600 .. about 626 (clockwise) or 574 .. 600 (anticlockwise).
TEST(Sweep, ProgressTwoIsASliverFromTwelveOClock) {
  struct Case {
    int32_t style, inside, outsideNear, outsideFar;
  };
  for (const Case c : {Case{144, 610, 590, 640}, Case{145, 590, 610, 560}}) {
    auto t = PositionTransition(1200, 850);
    const raster::Bitmap& frame = t->Frame(c.style, 2);
    EXPECT_TRUE(IsNew(frame.Pixel(c.inside, 5))) << c.style;
    EXPECT_FALSE(IsNew(frame.Pixel(c.outsideNear, 5))) << c.style;
    EXPECT_FALSE(IsNew(frame.Pixel(c.outsideFar, 5))) << c.style;
    EXPECT_FALSE(IsNew(frame.Pixel(600, 600))) << c.style;  // nothing below the centre
    size_t revealed = 0;
    for (size_t i = 0; i < frame.PixelCount(); ++i) revealed += IsNew(frame.Bits()[i]);
    EXPECT_GT(revealed, 4000u) << c.style;  // about 425 * 13 pixels
    EXPECT_LT(revealed, 7000u) << c.style;
  }
}

// The pixel at `distance` from the centre of a 400 × 400 picture in the
// direction `degrees` (screen angles: positive turns clockwise, y down).
raster::Point Towards(double cx, double cy, double distance, double degrees) {
  const double a = degrees * std::numbers::pi / 180;
  return {int32_t(std::lround(cx + distance * std::cos(a))), int32_t(std::lround(cy + distance * std::sin(a)))};
}

// An even picture seed turns 150-152 clockwise, an odd one anticlockwise, by
// Progress × 3.6 degrees. Probes sit on the turned shape's corner, tip or
// centre for one direction and outside the shape turned the other way.
TEST(TurningShapes, DirectionFollowsTheLowestBitOfThePictureSeed) {
  for (const uint32_t seed : {0x2A10u, 0x2A11u, 0x7FFFFFFEu, 0x7FFFFFFFu}) {
    const double sign = (seed & 1u) ? -1.0 : 1.0;
    for (const int32_t progress : {5, 10}) {
      auto t = PositionTransition(400, 400);
      t->newPicture.SetHandle(seed);
      const double turn = progress * 3.6;
      const int32_t X = 4 * progress;  // 400 * progress / 100
      for (const double direction : {sign, -sign}) {
        const bool expectNew = direction == sign;
        // Rectangle: its top-right corner starts at -45 degrees, X / sqrt(2) out.
        raster::Point p = Towards(200, 200, 0.85 * X / std::sqrt(2.0), -45 + direction * turn);
        EXPECT_EQ(expectNew, IsNew(t->Frame(150, progress).Pixel(p.x, p.y))) << seed << " " << progress;
        // Star: its right tip starts at 0 degrees, 2X out.
        p = Towards(200, 200, 1.5 * X, direction * turn);
        EXPECT_EQ(expectNew, IsNew(t->Frame(151, progress).Pixel(p.x, p.y))) << seed << " " << progress;
        // Spiral: the rectangle's centre, 160 * sqrt(2) from the turning point (X, X) at 45 degrees.
        p = Towards(X, X, std::hypot(200.0 - X, 200.0 - X), 45 + direction * turn);
        EXPECT_EQ(expectNew, IsNew(t->Frame(152, progress).Pixel(p.x, p.y))) << seed << " " << progress;
      }
    }
  }
}

TEST(TurningShapes, SpiralAtHalfwayTurnsAboutTheCentreLikeTheRectangle) {
  for (const uint32_t seed : {4u, 5u}) {
    auto t = PositionTransition(240, 160);
    t->newPicture.SetHandle(seed);
    raster::Bitmap rectangle;
    rectangle.Assign(t->Frame(150, 50));
    const raster::Bitmap& spiral = t->Frame(152, 50);
    EXPECT_EQ(0, std::memcmp(rectangle.Bits(), spiral.Bits(), spiral.PixelCount() * 4)) << seed;
  }
}

}  // namespace
