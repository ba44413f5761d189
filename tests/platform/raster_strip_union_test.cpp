// Rectangle lists of many strips (what the ragged reveals build) against the
// pixel-by-pixel union: strips growing from a shared edge, which the sweep
// joins while they run side by side, and strips that start together but end
// apart, which it must not join.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/raster/region.h"

namespace raster {
namespace {

constexpr int kSize = 48;

void ExpectUnion(const std::vector<Rect>& rects, const char* what) {
  const Region region = Region::FromRects(rects);
  for (int y = -2; y < kSize + 2; ++y)
    for (int x = -2; x < kSize + 2; ++x) {
      bool in = false;
      for (const Rect& r : rects) in |= r.left <= x && x < r.right && r.top <= y && y < r.bottom;
      ASSERT_EQ(region.Contains(x, y), in) << what << " at " << x << "," << y;
    }
}

TEST(StripUnion, StripsFromOneEdgeWithRaggedEnds) {
  std::mt19937 g(3);
  for (int round = 0; round < 60; ++round) {
    const int width = 1 + round % 4, overlap = round % 3;  // strips may touch or overlap
    std::uniform_int_distribution<int> end(0, kSize);
    std::vector<Rect> fromBottom, fromTop, fromLeft, mixed;
    for (int s = 0; s < kSize; s += width) {
      const int e = end(g);
      fromBottom.push_back({s, e, s + width + overlap, kSize});  // shared bottom
      fromTop.push_back({s, 0, s + width + overlap, e});  // shared top
      fromLeft.push_back({0, s, e, s + width + overlap});  // shared left
      mixed.push_back(fromBottom.back());
      mixed.push_back(fromLeft.back());
    }
    ExpectUnion(fromBottom, "from the bottom");
    ExpectUnion(fromTop, "from the top");
    ExpectUnion(fromLeft, "from the left");
    ExpectUnion(mixed, "both directions");
  }
}

TEST(StripUnion, StripsJoinedOnlyWhileTheyTouch) {
  // Same bottom but a gap between them, then a third strip bridging the gap.
  ExpectUnion({{0, 10, 4, 40}, {6, 20, 10, 40}}, "gap");
  ExpectUnion({{0, 10, 4, 40}, {6, 20, 10, 40}, {3, 30, 7, 40}}, "bridged");
  ExpectUnion({{0, 10, 4, 40}, {4, 20, 8, 41}, {8, 5, 12, 40}}, "one ends lower");
}

}  // namespace
}  // namespace raster
