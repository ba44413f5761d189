#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "effects/complex_region.h"
#include "effects/region_makers.h"
#include "platform/raster/random.h"

namespace effects {
namespace {

using raster::Point;
using raster::Rect;
using raster::Region;

// Number of generator steps between two states.
int StepsBetween(uint32_t from, uint32_t to) {
  for (int n = 0; n < 1000000; ++n, from = raster::NextSeed(from))
    if (from == to) return n;
  return -1;
}

TEST(ComplexRegion, NoBlockMeansNoRegionButAnEmptyRectMeansAnEmptyRegion) {
  TComplexRegion rgn;
  EXPECT_EQ(rgn.CreateRegion(), nullptr);
  EXPECT_EQ(rgn.RgnData(), nullptr);
  rgn.AddRect(5, 5, 5, 9);
  raster::RegionPtr r = rgn.CreateRegion();
  ASSERT_NE(r, nullptr);
  EXPECT_TRUE(r->IsEmpty());
  EXPECT_EQ(rgn.Bounds(), (Rect{5, 5, 5, 9}));
  rgn.Clear();
  EXPECT_EQ(rgn.CreateRegion(), nullptr);
  EXPECT_EQ(rgn.Capacity(), 0);
  EXPECT_EQ(rgn.Bounds(), (Rect{2147483647, 2147483647, -2147483647, -2147483647}));
}

TEST(ComplexRegion, GrowsBy500AndKeepsItsRectangles) {
  TComplexRegion rgn;
  for (int i = 0; i < 501; ++i) rgn.AddRect(i, 0, i + 1, 1 + i % 3);
  EXPECT_EQ(rgn.Capacity(), 1000);
  EXPECT_EQ(rgn.Count(), 501);
  for (int i = 0; i < 501; ++i) ASSERT_EQ(rgn.RectAt(i), (Rect{i, 0, i + 1, 1 + i % 3}));
  EXPECT_EQ(rgn.Bounds(), (Rect{0, 0, 501, 3}));
  // Inverted rectangles still move the bounds but add no pixels.
  rgn.AddRect(600, 10, 550, 20);
  EXPECT_EQ(rgn.Bounds(), (Rect{0, 0, 550, 20}));
  raster::RegionPtr r = rgn.CreateRegion();
  EXPECT_EQ(r->Area(), 167 * 1 + 167 * 2 + 167 * 3);
  // The builder keeps its rectangles after making a region.
  rgn.AddRect(0, 5, 2, 6);
  EXPECT_EQ(rgn.CreateRegion()->Area(), r->Area() + 2);
}

// Area of a region within the picture (makers may add bars beyond its edge).
int64_t AreaIn(const raster::RegionPtr& r, int W, int H) { return (*r & Region::FromRect({0, 0, W, H})).Area(); }

TEST(BarRgn, ColumnsOnlyAndTheHalfwayPoint) {
  const int W = 100, H = 50, D = 50 / 50 + 1;  // bar size 2
  // Rows off (X = 0, mode 0), columns from the bottom: even columns grow up.
  raster::RegionPtr cols = CreateBarRgn(0, 2 * 10, W, H, BarMode::Off, BarMode::FromEnd);
  EXPECT_TRUE(cols->Contains(0, 49) && cols->Contains(1, 30) && !cols->Contains(0, 29));
  EXPECT_FALSE(cols->Contains(2, 49));
  EXPECT_EQ(AreaIn(cols, W, H), (W / (2 * D)) * D * 20);
  EXPECT_TRUE(CreateBarRgn(0, 0, W, H, BarMode::Off, BarMode::FromEnd)->IsEmpty());
  // X exactly W is still the first half: even rows full, odd rows untouched.
  for (int mode : {BarMode::FromEnd, BarMode::FromStart, BarMode::StartThenEnd, BarMode::EndThenStart}) {
    raster::RegionPtr r = CreateBarRgn(W, 0, W, H, mode, BarMode::Off);
    EXPECT_EQ(AreaIn(r, W, H), 13 * D * W) << "mode " << mode;  // even rows 0, 4, ..., 48
    EXPECT_TRUE(r->Contains(0, 0) && r->Contains(99, 1) && !r->Contains(50, 2)) << "mode " << mode;
  }
  // Second half, StartThenEnd: even rows full, odd rows come from the right.
  raster::RegionPtr late = CreateBarRgn(W + 30, 0, W, H, BarMode::StartThenEnd, BarMode::Off);
  EXPECT_TRUE(late->Contains(0, 0) && late->Contains(70, 2) && !late->Contains(69, 2));
  // BothWays with the plain extent: even rows from the right, odd from the left.
  raster::RegionPtr both = CreateBarRgn(30, 0, W, H, BarMode::BothWays, BarMode::Off);
  EXPECT_TRUE(both->Contains(70, 0) && !both->Contains(69, 0));
  EXPECT_TRUE(both->Contains(29, 2) && !both->Contains(30, 2));
}

TEST(PourRgn, StraightEdgeBeyondTheWidthAndOneDrawPerStrip) {
  const int W = 400, H = 300, D = 300 / 200 + 1;  // strips of 2
  raster::RandSeed = 1234;
  raster::RegionPtr full = CreatePourRgn(W, 0, W, H, PourMode::FromStart, PourMode::Off);
  EXPECT_EQ(full->Area(), int64_t{W} * H);  // N = 0: every strip exactly X long
  EXPECT_EQ(StepsBetween(1234, raster::RandSeed.load()), (H + D - 1) / D);
  raster::RandSeed = 1;
  raster::RegionPtr ragged = CreatePourRgn(100, 50, W, H, PourMode::FromEnd, PourMode::OutFromMiddle);
  EXPECT_EQ(StepsBetween(1, raster::RandSeed.load()), (H + D - 1) / D + (W + D - 1) / D);
  EXPECT_FALSE(ragged->IsEmpty());
  // X = 0 still shows some strips thanks to the jitter.
  raster::RandSeed = 5;
  EXPECT_GT(CreatePourRgn(0, 0, W, H, PourMode::FromStart, PourMode::Off)->Area(), 0);
}

TEST(SwarmRgn, DrawsOncePerCandidateAndScattersNothingWhenNarrow) {
  const int W = 1200, H = 850;
  // Scatter depth 120, squares of 6, rows every 3, 20 candidates: one draw per candidate per row.
  raster::RandSeed = 77;
  raster::RegionPtr r = CreateSwarmRgn(300, 0, W, H, SwarmMode::FromStart, SwarmMode::Off);
  EXPECT_EQ(StepsBetween(77, raster::RandSeed.load()), ((H + 2) / 3) * 20);
  EXPECT_TRUE(r->Contains(299, 0) && r->Contains(0, 849));
  // Under 20 pixels wide the scatter depth is at most 1: no squares and no draws at all.
  raster::RandSeed = 9;
  raster::RegionPtr narrow = CreateSwarmRgn(5, 0, 19, 10, SwarmMode::FromEnd, SwarmMode::Off);
  EXPECT_EQ(raster::RandSeed.load(), 9u);
  EXPECT_EQ(AreaIn(narrow, 19, 10), 5 * 10);
  // No rows at all (a frame 0 high): no rectangles, so no region, and the frame copies whole.
  EXPECT_EQ(CreateSwarmRgn(300, 0, W, 0, SwarmMode::FromStart, SwarmMode::Off), nullptr);
}

TEST(SliceRgn, FanStopsOneStepShortOfTheEndAngle) {
  // A quarter from 0 to pi/2 in 2 steps: arc points at 0 and pi/4 only.
  raster::RegionPtr r = CreateSliceRgn(0, 0, 100, 0.0L, std::numbers::pi_v<long double> / 2, 2);
  EXPECT_TRUE(r->Contains(90, 5));
  EXPECT_TRUE(r->Contains(60, 50));
  EXPECT_FALSE(r->Contains(5, 90));  // beyond pi/4 nothing is covered
}

TEST(PolygonRgnEx, IgnoresATrailingOddValue) {
  const int32_t pts[] = {0, 0, 10, 0, 10, 10, 0, 10, 99};
  EXPECT_EQ(CreatePolygonRgnEx(pts)->Area(), 100);
}

TEST(RotatePoints, TurnsClockwiseOnScreen) {
  std::vector<Point> pts = {{10, 0}, {3, 4}};
  RotatePoints(pts, 0, 0, 0.0L);
  EXPECT_EQ(pts[0], (Point{10, 0}));
  EXPECT_EQ(pts[1], (Point{3, 4}));
  RotatePoints(pts, 0, 0, std::numbers::pi_v<long double> / 2);
  EXPECT_EQ(pts[0], (Point{0, 10}));
  EXPECT_EQ(pts[1], (Point{-4, 3}));
  std::vector<Point> about = {{15, 5}};
  RotatePoints(about, 5, 5, std::numbers::pi_v<long double>);
  EXPECT_EQ(about[0], (Point{-5, 5}));
}

}  // namespace
}  // namespace effects
