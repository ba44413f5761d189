// UnionOf and XorOf against combining the same regions one at a time.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/raster/region_union.h"

namespace {

using raster::Point;
using raster::Rect;
using raster::Region;

Region OneByOne(const std::vector<Region>& parts, bool exclusive) {
  Region all;
  for (const Region& r : parts) all = exclusive ? (all ^ r) : (all | r);
  return all;
}

TEST(RegionUnion, EqualsCombiningOneByOne) {
  std::mt19937 rng(20261210);
  auto coord = [&](int lo, int hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(rng); };
  for (int trial = 0; trial < 300; ++trial) {
    std::vector<Region> parts;
    const int count = coord(0, 12);
    for (int i = 0; i < count; ++i) {
      const int32_t x = coord(-20, 60), y = coord(-20, 60), w = coord(-3, 30), h = coord(-3, 30);
      switch (coord(0, 3)) {
        case 0: parts.push_back(Region::FromRect({x, y, x + w, y + h})); break;
        case 1: parts.push_back(Region::FromEllipse({x, y, x + w, y + h})); break;
        case 2: {
          const Point tri[] = {{x, y}, {x + w, y + coord(-10, 10)}, {x + coord(-10, 10), y + h}};
          parts.push_back(Region::FromPolygon(tri));
          break;
        }
        default: {  // a region of several bands with gaps
          const Rect rects[] = {{x, y, x + w, y + 3}, {x + 5, y + 6, x + 9, y + 12}, {x - 4, y + 8, x, y + 20}};
          parts.push_back(Region::FromRects(rects));
        }
      }
    }
    ASSERT_EQ(OneByOne(parts, false), raster::UnionOf(parts)) << "trial " << trial;
    ASSERT_EQ(OneByOne(parts, true), raster::XorOf(parts)) << "trial " << trial;
  }
}

TEST(RegionUnion, EmptyAndSingleParts) {
  EXPECT_TRUE(raster::UnionOf({}).IsEmpty());
  const std::vector<Region> empties(3);
  EXPECT_TRUE(raster::UnionOf(empties).IsEmpty());
  const std::vector<Region> one = {Region::FromEllipse({2, 3, 40, 20})};
  EXPECT_EQ(one[0], raster::UnionOf(one));
  // Parts far apart in y keep the gap between them.
  const std::vector<Region> apart = {Region::FromRect({0, 0, 5, 5}), Region::FromRect({0, 1000, 5, 1005})};
  EXPECT_EQ(50, raster::UnionOf(apart).Area());
  EXPECT_FALSE(raster::UnionOf(apart).Contains(2, 500));
  // A part twice cancels out; an odd count keeps it.
  const std::vector<Region> twice = {one[0], one[0]}, thrice = {one[0], one[0], one[0]};
  EXPECT_TRUE(raster::XorOf(twice).IsEmpty());
  EXPECT_EQ(one[0], raster::XorOf(thrice));
}

}  // namespace
