// Rectangle lists where hundreds of rectangles start on the same row (the
// column strips of a swarm or blind), listed left to right or shuffled.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "platform/raster/region.h"

namespace {

using raster::Rect;
using raster::Region;

TEST(RectList, ManyRectanglesArrivingOnTheSameRows) {
  std::mt19937 rng(99);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(rng); };
  for (int trial = 0; trial < 40; ++trial) {
    std::vector<Rect> rects;
    for (int32_t x = 0; x < 300; x += 2) {
      rects.push_back({x, 0, x + 4, pick(0, 40)});  // a solid strip per column
      for (int k = pick(0, 3); k > 0; --k) {  // squares on a few shared rows
        const int32_t top = 40 + 4 * pick(0, 6);
        rects.push_back({x, top, x + 4, top + 4});
      }
    }
    if (trial % 2 == 1) std::shuffle(rects.begin(), rects.end(), rng);
    Region oneByOne;
    for (const Rect& r : rects) oneByOne = oneByOne | Region::FromRect(r);
    ASSERT_EQ(oneByOne, Region::FromRects(rects)) << "trial " << trial;
  }
}

}  // namespace
