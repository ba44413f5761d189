// The exact geometry of the bar and pour region makers: bar regions against
// hand-listed rectangles (parts beyond the picture included), pour regions
// against a strip-by-strip model fed with the replayed generator draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "effects/region_makers.h"
#include "platform/raster/random.h"
#include "region_reveal_support.h"

namespace {

using raster::Rect;
using raster::Region;
using namespace region_reveal_test;

struct BarCase {
  const char* what;
  int32_t X, Y, W, H, XMode, YMode;
  std::vector<Rect> rects;  // the rectangles the maker must add, worked out by hand
};

// Pictures narrower or lower than 50 pixels have bars of one pixel.
// clang-format off
const std::vector<BarCase> kBarCases = {
    {"rows from the right, first half", 4, 0, 6, 3, 1, 0, {{2, 0, 6, 1}, {2, 2, 6, 3}}},
    {"rows from the left, first half", 4, 0, 6, 3, 2, 0, {{0, 0, 4, 1}, {0, 2, 4, 3}}},
    {"mode 4 second half: odd rows from the right, the last one below the picture",
     8, 0, 6, 3, 4, 0, {{4, 1, 6, 2}, {0, 0, 6, 1}, {4, 3, 6, 4}, {0, 2, 6, 3}}},
    {"mode 1 second half", 11, 0, 6, 3, 1, 0, {{1, 1, 6, 2}, {0, 0, 6, 1}, {1, 3, 6, 4}, {0, 2, 6, 3}}},
    {"mode 5 second half: odd rows from the left", 8, 0, 6, 3, 5, 0,
     {{0, 1, 2, 2}, {0, 0, 6, 1}, {0, 3, 2, 4}, {0, 2, 6, 3}}},
    {"mode 3: even rows from the right, odd rows from the left", 2, 0, 6, 3, 3, 0,
     {{0, 1, 2, 2}, {4, 0, 6, 1}, {0, 3, 2, 4}, {4, 2, 6, 3}}},
    {"mode 0 past the width still adds whole even rows", 7, 0, 6, 3, 0, 0, {{0, 0, 6, 1}, {0, 2, 6, 3}}},
    {"columns from the bottom", 0, 2, 3, 6, 0, 1, {{0, 4, 1, 6}, {2, 4, 3, 6}}},
    {"columns from the top", 0, 2, 3, 6, 0, 2, {{0, 0, 1, 2}, {2, 0, 3, 2}}},
    {"column mode 3: even from the bottom, odd from the top", 0, 2, 3, 6, 0, 3,
     {{0, 4, 1, 6}, {1, 0, 2, 2}, {2, 4, 3, 6}, {3, 0, 4, 2}}},
    {"column mode 5 second half: odd columns from the top", 0, 9, 3, 6, 0, 5,
     {{1, 0, 2, 3}, {0, 0, 1, 6}, {3, 0, 4, 3}, {2, 0, 3, 6}}},
    {"column mode 4 second half: odd columns from the bottom", 0, 8, 3, 6, 0, 4,
     {{1, 4, 2, 6}, {0, 0, 1, 6}, {3, 4, 4, 6}, {2, 0, 3, 6}}},
    {"rows in the second half together with columns in the first", 7, 1, 6, 3, 2, 1,
     {{0, 1, 1, 2}, {0, 0, 6, 1}, {0, 3, 1, 4}, {0, 2, 6, 3},
      {0, 2, 1, 3}, {2, 2, 3, 3}, {4, 2, 5, 3}, {6, 2, 7, 3}}},
};
// clang-format on

TEST(BarRgnGeometry, MatchesTheHandListedRectangles) {
  for (const BarCase& c : kBarCases) {
    const raster::RegionPtr region = effects::CreateBarRgn(c.X, c.Y, c.W, c.H, c.XMode, c.YMode);
    ASSERT_NE(region, nullptr) << c.what;
    EXPECT_EQ(*region, Region::FromRects(c.rects)) << c.what;
  }
}

TEST(BarRgnGeometry, BarsOfThreeRowsReachOneBarPastTheBottom) {
  // min(100, 120) div 50 + 1 = 3: even bars are rows [6k, 6k + 3) while 6k < H + D.
  const int32_t W = 100, H = 120, D = 3;
  std::vector<Rect> evenBars;
  for (int32_t s = 0; s < H + D; s += 2 * D) evenBars.push_back({0, s, W, s + D});
  EXPECT_EQ(*effects::CreateBarRgn(W, 0, W, H, 2, 0), Region::FromRects(evenBars));
  // One step on, the odd bars start at the left edge.
  const raster::RegionPtr next = effects::CreateBarRgn(W + 1, 0, W, H, 2, 0);
  EXPECT_TRUE(next->Contains(0, 3) && next->Contains(0, 5) && !next->Contains(1, 3));
  EXPECT_TRUE(next->Contains(99, 116) && next->Contains(0, 119) && !next->Contains(1, 119));
}

struct PourCase {
  int32_t X, Y, XMode, YMode;
};

TEST(PourRgnGeometry, StripsFollowTheReplayedDraws) {
  // 401 × 203: strips of 2, one row (column) of overlap, jitter up to 40 (20).
  const int32_t W = 401, H = 203;
  const std::vector<PourCase> cases = {
      {0, 0, 1, 0},     {150, 0, 1, 0},   {150, 0, 2, 0}, {150, 0, 3, 0},   {150, 0, 4, 0}, {401, 0, 3, 0},
      {0, 0, 0, 1},     {0, 90, 0, 1},    {0, 90, 0, 2},  {0, 90, 0, 3},    {0, 90, 0, 4},  {0, 203, 0, 4},
      {390, 190, 1, 1}, {200, 100, 3, 3}, {60, 30, 4, 4}, {200, 100, 2, 3},
  };
  uint32_t seed = 20261210;
  for (const PourCase& c : cases) {
    seed = NextState(seed ^ 0x9e3779b9u);
    const PourModel model(seed, c.X, c.Y, W, H, c.XMode, c.YMode);
    raster::RandSeed = seed;
    const raster::RegionPtr region = effects::CreatePourRgn(c.X, c.Y, W, H, c.XMode, c.YMode);
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(raster::RandSeed.load(), StateAfter(seed, model.Draws()))
        << "X " << c.X << " Y " << c.Y << " modes " << c.XMode << "," << c.YMode;
    int32_t wrong = 0;
    for (int32_t y = -H / 10 - 3; y < H + H / 10 + 3; ++y)
      for (int32_t x = -W / 10 - 3; x < W + W / 10 + 3; ++x) wrong += region->Contains(x, y) != model.Contains(x, y);
    EXPECT_EQ(wrong, 0) << "X " << c.X << " Y " << c.Y << " modes " << c.XMode << "," << c.YMode;
  }
}

TEST(PourRgnGeometry, OneDrawPerStripOnTheLargePicture) {
  // 1200 × 850: strips of 5, 170 horizontal and 240 vertical.
  raster::RandSeed = 77;
  effects::CreatePourRgn(600, 0, 1200, 850, 1, 0);
  EXPECT_EQ(raster::RandSeed.load(), StateAfter(77, 170));
  raster::RandSeed = 77;
  effects::CreatePourRgn(1200, 850, 1200, 850, 4, 4);  // no jitter, the draws still happen
  EXPECT_EQ(raster::RandSeed.load(), StateAfter(77, 170 + 240));
}

}  // namespace
