#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "platform/raster/drawing.h"
#include "platform/raster/region.h"

namespace raster {
namespace {

constexpr int kGrid = 24;  // brute-force comparisons run over [-2, kGrid + 2)

// Pixel-by-pixel membership over a small window, for differential checks.
std::vector<bool> Pixels(const Region& r) {
  std::vector<bool> v;
  for (int y = -2; y < kGrid + 2; ++y)
    for (int x = -2; x < kGrid + 2; ++x) v.push_back(r.Contains(x, y));
  return v;
}

// The same window, a pixel counted in when any of the rectangles holds it.
std::vector<bool> PixelsOfUnion(const std::vector<Rect>& rects) {
  std::vector<bool> v;
  for (int y = -2; y < kGrid + 2; ++y)
    for (int x = -2; x < kGrid + 2; ++x) {
      bool in = false;
      for (const Rect& r : rects) in |= r.left <= x && x < r.right && r.top <= y && y < r.bottom;
      v.push_back(in);
    }
  return v;
}

Rect RandomRect(std::mt19937& g) {
  std::uniform_int_distribution<int> d(-1, kGrid);
  return {d(g), d(g), d(g), d(g)};  // often inverted or empty on purpose
}

TEST(Region, RectListEqualsUnionOfRectangles) {
  std::mt19937 g(7);
  for (int round = 0; round < 200; ++round) {
    std::vector<Rect> rects(1 + round % 12);
    Region unionByOr;
    for (Rect& r : rects) {
      r = RandomRect(g);
      unionByOr = unionByOr | Region::FromRect(r);
    }
    const Region fromList = Region::FromRects(rects);
    ASSERT_EQ(fromList, unionByOr) << "round " << round;
    ASSERT_EQ(Pixels(fromList), PixelsOfUnion(rects)) << "round " << round;
  }
}

// Frames build regions from hundreds of strips and squares that share their
// top or bottom edges (columns hanging from the top, squares on a grid), which
// large lists handle in a sweep of their own; the union must not change.
TEST(Region, LargeRectListsSharingEdgesEqualUnionOfRectangles) {
  std::mt19937 g(11);
  std::uniform_int_distribution<int> edge(-1, kGrid), fewEdges(0, 3), coin(0, 1);
  for (int round = 0; round < 60; ++round) {
    std::vector<Rect> rects(size_t(32 + round * 3));
    for (Rect& r : rects) {
      const int x = edge(g);
      const int y = 6 * fewEdges(g);  // tops (or bottoms) shared by many
      // Odd rounds hang nearly every strip from a shared top edge, even ones
      // mix them evenly with strips standing on a shared bottom edge.
      const bool fromTop = round % 2 == 1 ? g() % 8 != 0 : coin(g) == 1;
      r = fromTop ? Rect{x, y, x + 1 + coin(g), edge(g)} : Rect{x, edge(g), x + 2, y};
      if (round % 4 == 0) r = RandomRect(g);
    }
    Region unionByOr;
    for (const Rect& r : rects) unionByOr = unionByOr | Region::FromRect(r);
    ASSERT_EQ(Region::FromRects(rects), unionByOr) << "round " << round;
    ASSERT_EQ(Pixels(Region::FromRects(rects)), PixelsOfUnion(rects)) << "round " << round;
  }
}

TEST(Region, BooleanOperationsMatchPixelLogic) {
  std::mt19937 g(11);
  for (int round = 0; round < 200; ++round) {
    std::vector<Rect> ra(4), rb(4);
    for (Rect& r : ra) r = RandomRect(g);
    for (Rect& r : rb) r = RandomRect(g);
    const Region a = Region::FromRects(ra), b = Region::FromRects(rb);
    const auto pa = Pixels(a), pb = Pixels(b);
    const auto pand = Pixels(a & b), por = Pixels(a | b), pxor = Pixels(a ^ b), pdiff = Pixels(a - b);
    for (size_t i = 0; i < pa.size(); ++i) {
      ASSERT_EQ(pand[i], pa[i] && pb[i]) << "round " << round;
      ASSERT_EQ(por[i], pa[i] || pb[i]) << "round " << round;
      ASSERT_EQ(pxor[i], pa[i] != pb[i]) << "round " << round;
      ASSERT_EQ(pdiff[i], pa[i] && !pb[i]) << "round " << round;
    }
  }
}

// The smallest rectangle around the region's pixels in the test window.
Rect PixelBounds(const Region& r) {
  Rect b{kGrid + 2, kGrid + 2, -2, -2};
  bool any = false;
  for (int y = -2; y < kGrid + 2; ++y)
    for (int x = -2; x < kGrid + 2; ++x) {
      if (!r.Contains(x, y)) continue;
      any = true;
      b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x + 1), std::max(b.bottom, y + 1)};
    }
  return any ? b : Rect{};
}

TEST(Region, BoundsFollowEveryOperationAndOffset) {
  std::mt19937 g(23);
  for (int round = 0; round < 200; ++round) {
    std::vector<Rect> ra(3), rb(3);
    for (Rect& r : ra) r = RandomRect(g);
    for (Rect& r : rb) r = RandomRect(g);
    const Region a = Region::FromRects(ra), b = Region::FromRects(rb);
    for (const Region& r : {a, b, a & b, a | b, a ^ b, a - b, b - a}) {
      ASSERT_EQ(r.Bounds(), PixelBounds(r)) << "round " << round;
    }
    Region moved = a | b;
    moved.Offset(1, -1);
    ASSERT_EQ(moved.Bounds(), PixelBounds(moved)) << "round " << round;
  }
}

// Operands whose bounds share no pixel take a short cut; its results must be
// the very regions the band walk gives (same bands, touching equal bands joined).
TEST(Region, DisjointOperandsGiveTheCanonicalResult) {
  struct Case {
    const char* name;
    std::vector<Rect> a, b;
  };
  const std::vector<Case> cases = {
      {"b below a", {{0, 0, 10, 4}, {2, 4, 6, 8}}, {{1, 10, 5, 12}}},
      {"b above a", {{0, 10, 10, 14}}, {{3, 0, 8, 2}, {0, 2, 4, 9}}},
      {"b touches a's bottom with the same span", {{2, 0, 9, 5}}, {{2, 5, 9, 8}}},
      {"b touches a's bottom with another span", {{2, 0, 9, 5}}, {{3, 5, 9, 8}}},
      {"side by side on the same rows", {{0, 0, 4, 6}}, {{6, 2, 9, 10}}},
      {"diagonal, b right of and below a", {{0, 0, 4, 4}}, {{4, 4, 8, 8}}},
      {"bounds overlap, pixels do not", {{0, 0, 10, 2}, {0, 8, 10, 10}}, {{3, 3, 6, 6}}},
  };
  for (const Case& c : cases) {
    const Region a = Region::FromRects(c.a), b = Region::FromRects(c.b);
    std::vector<Rect> both = c.a;
    both.insert(both.end(), c.b.begin(), c.b.end());
    const Region all = Region::FromRects(both);
    EXPECT_TRUE((a & b).IsEmpty()) << c.name;
    EXPECT_EQ(a - b, a) << c.name;
    EXPECT_EQ(b - a, b) << c.name;
    EXPECT_EQ(a | b, all) << c.name;
    EXPECT_EQ(b | a, all) << c.name;
    EXPECT_EQ(a ^ b, all) << c.name;
    EXPECT_EQ((a | b).Bounds(), PixelBounds(all)) << c.name;
  }
  // Compound forms are the same operations.
  Region r = Region::FromRect({0, 0, 4, 4});
  r |= Region::FromRect({0, 4, 4, 8});
  EXPECT_EQ(r, Region::FromRect({0, 0, 4, 8}));
  r -= Region::FromRect({0, 0, 4, 2});
  EXPECT_EQ(r, Region::FromRect({0, 2, 4, 8}));
  r ^= Region::FromRect({0, 2, 4, 8});
  EXPECT_TRUE(r.IsEmpty());
  EXPECT_EQ(r.Bounds(), Rect{});
}

// Bounds that share a single column or row: the operands do overlap there, so
// the short cut for disjoint bounds must not be taken.
TEST(Region, OperandsOverlappingInOnePixelLineAreCombinedInFull) {
  struct Case {
    const char* name;
    Rect a, b;
  };
  const Case cases[] = {
      {"b's first column is a's last", {0, 0, 5, 5}, {4, 1, 9, 6}},
      {"a's first column is b's last", {4, 1, 9, 6}, {0, 0, 5, 5}},
      {"b's first row is a's last", {0, 0, 5, 5}, {1, 4, 6, 9}},
      {"a's first row is b's last", {1, 4, 6, 9}, {0, 0, 5, 5}},
      {"one corner pixel in common", {0, 0, 5, 5}, {4, 4, 9, 9}},
  };
  for (const Case& c : cases) {
    const Region a = Region::FromRect(c.a), b = Region::FromRect(c.b);
    const auto pa = Pixels(a), pb = Pixels(b);
    const auto pand = Pixels(a & b), por = Pixels(a | b), pxor = Pixels(a ^ b), pdiff = Pixels(a - b);
    EXPECT_FALSE((a & b).IsEmpty()) << c.name;
    for (size_t i = 0; i < pa.size(); ++i) {
      ASSERT_EQ(pand[i], pa[i] && pb[i]) << c.name;
      ASSERT_EQ(por[i], pa[i] || pb[i]) << c.name;
      ASSERT_EQ(pxor[i], pa[i] != pb[i]) << c.name;
      ASSERT_EQ(pdiff[i], pa[i] && !pb[i]) << c.name;
    }
  }
}

TEST(Region, EqualityComparesRowsAndSpans) {
  struct Case {
    const char* name;
    std::vector<Rect> a, b;
    bool equal;
  };
  const std::vector<Case> cases = {
      {"same rectangle", {{0, 0, 4, 4}}, {{0, 0, 4, 4}}, true},
      {"same pixels listed differently", {{0, 0, 4, 2}, {0, 2, 4, 4}}, {{0, 0, 2, 4}, {2, 0, 4, 4}}, true},
      {"same rows, one span wider", {{0, 0, 4, 4}}, {{0, 0, 5, 4}}, false},
      {"same rows, span moved", {{0, 0, 4, 4}}, {{1, 0, 5, 4}}, false},
      {"same spans, rows moved", {{0, 0, 4, 4}}, {{0, 1, 4, 5}}, false},
      {"same spans, one row more", {{0, 0, 4, 4}}, {{0, 0, 4, 5}}, false},
      {"second span differs", {{0, 0, 2, 4}, {3, 0, 5, 4}}, {{0, 0, 2, 4}, {3, 0, 6, 4}}, false},
      {"one band more", {{0, 0, 4, 4}}, {{0, 0, 4, 4}, {0, 6, 4, 8}}, false},
      {"empty and not", {}, {{0, 0, 1, 1}}, false},
  };
  for (const Case& c : cases) {
    const Region a = Region::FromRects(c.a), b = Region::FromRects(c.b);
    EXPECT_EQ(a == b, c.equal) << c.name;
    EXPECT_EQ(b == a, c.equal) << c.name;
  }
}

// The compound forms apply the same operation with the operands in the same
// order, shown on overlapping operands where the four results all differ.
TEST(Region, CompoundOperatorsMatchTheirOperators) {
  const Region a = Region::FromRect({0, 0, 6, 6}), b = Region::FromRect({3, 3, 9, 9});
  struct Case {
    const char* name;
    Region (*compound)(Region, const Region&);
    Region expected;
  };
  const Case cases[] = {
      {"&=", [](Region r, const Region& o) { return r &= o; }, a & b},
      {"|=", [](Region r, const Region& o) { return r |= o; }, a | b},
      {"^=", [](Region r, const Region& o) { return r ^= o; }, a ^ b},
      {"-=", [](Region r, const Region& o) { return r -= o; }, a - b},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.compound(a, b), c.expected) << c.name;
    EXPECT_EQ(c.compound(a, b).Area(), c.expected.Area()) << c.name;
  }
  EXPECT_EQ((a & b).Area(), 9);
  EXPECT_EQ((a | b).Area(), 63);
  EXPECT_EQ((a ^ b).Area(), 54);
  EXPECT_EQ((a - b).Area(), 27);
}

// Each mode of the handle-style call, and the kind of region it reports.
TEST(Region, CombineRgnModesAndResultKinds) {
  struct Case {
    const char* name;
    Rect a, b;
    int mode;
    std::vector<Rect> expected;
    int kind;
  };
  const Rect a{0, 0, 10, 10}, b{5, 5, 15, 15};
  const std::vector<Case> cases = {
      {"and", a, b, RGN_AND, {{5, 5, 10, 10}}, SIMPLEREGION},
      {"or", a, b, RGN_OR, {a, b}, COMPLEXREGION},
      {"xor", a, b, RGN_XOR, {{0, 0, 10, 5}, {0, 5, 5, 10}, {10, 5, 15, 10}, {5, 10, 15, 15}}, COMPLEXREGION},
      {"diff", a, b, RGN_DIFF, {{0, 0, 10, 5}, {0, 5, 5, 10}}, COMPLEXREGION},
      {"diff leaving a rectangle", a, {5, 0, 15, 10}, RGN_DIFF, {{0, 0, 5, 10}}, SIMPLEREGION},
      {"or of two on the same rows", {0, 0, 2, 2}, {4, 0, 6, 2}, RGN_OR, {{0, 0, 2, 2}, {4, 0, 6, 2}}, COMPLEXREGION},
      {"and of disjoint", {0, 0, 2, 2}, {4, 0, 6, 2}, RGN_AND, {}, NULLREGION},
  };
  for (const Case& c : cases) {
    RegionPtr dest = CreateRectRgn(0, 0, 0, 0);
    RegionPtr ra = CreateRectRgn(c.a.left, c.a.top, c.a.right, c.a.bottom);
    RegionPtr rb = CreateRectRgn(c.b.left, c.b.top, c.b.right, c.b.bottom);
    EXPECT_EQ(CombineRgn(dest.get(), ra.get(), rb.get(), c.mode), c.kind) << c.name;
    EXPECT_EQ(*dest, Region::FromRects(c.expected)) << c.name;
  }
  RegionPtr dest = CreateRectRgn(0, 0, 0, 0), ra = CreateRectRgn(0, 0, 4, 4);
  for (int unknownMode : {0, 5}) EXPECT_EQ(CombineRgn(dest.get(), ra.get(), ra.get(), unknownMode), RGN_ERROR);
}

TEST(Region, CombineRgnAllowsDestinationToBeAnOperand) {
  RegionPtr a = CreateRectRgn(0, 0, 10, 10);
  RegionPtr b = CreateRectRgn(5, 5, 15, 15);
  EXPECT_EQ(CombineRgn(a.get(), a.get(), b.get(), RGN_XOR), COMPLEXREGION);
  EXPECT_EQ(a->Area(), 100 + 100 - 2 * 25);
  EXPECT_FALSE(a->Contains(7, 7));
  EXPECT_TRUE(a->Contains(12, 12));
  EXPECT_EQ(CombineRgn(a.get(), a.get(), a.get(), RGN_DIFF), NULLREGION);
  EXPECT_EQ(CombineRgn(a.get(), b.get(), nullptr, RGN_OR), RGN_ERROR);
}

// Winding number of the closed polygon around the point (px, py).
int Winding(const std::vector<Point>& pts, double px, double py) {
  int w = 0;
  for (size_t i = 0; i < pts.size(); ++i) {
    const Point a = pts[i], b = pts[(i + 1) % pts.size()];
    const double cross = (b.x - a.x) * (py - a.y) - (px - a.x) * (b.y - a.y);
    if (a.y <= py && b.y > py && cross > 0) ++w;
    if (b.y <= py && a.y > py && cross < 0) --w;
  }
  return w;
}

void ExpectPolygonMatchesWinding(const std::vector<Point>& pts, int slack) {
  const Region r = Region::FromPolygon(pts);
  int mismatches = 0;
  for (int y = -2; y < kGrid + 2; ++y)
    for (int x = -2; x < kGrid + 2; ++x) {
      const bool expected = Winding(pts, x + 0.5, y + 0.5) != 0;
      mismatches += r.Contains(x, y) != expected;
    }
  EXPECT_LE(mismatches, slack);
}

TEST(Region, PolygonFollowsTheWindingRule) {
  // A pentagram: its centre has winding number 2 and is filled.
  const std::vector<Point> star = {{12, 1}, {19, 22}, {1, 8}, {23, 8}, {5, 22}};
  ExpectPolygonMatchesWinding(star, 0);
  EXPECT_TRUE(Region::FromPolygon(star).Contains(12, 12));
  // A bow tie crosses itself; both lobes are in, the waist's outside is not.
  const std::vector<Point> bow = {{0, 0}, {20, 20}, {20, 0}, {0, 20}};
  ExpectPolygonMatchesWinding(bow, 0);
  EXPECT_TRUE(Region::FromPolygon(bow).Contains(2, 10));
  EXPECT_FALSE(Region::FromPolygon(bow).Contains(10, 2));
  std::mt19937 g(3);
  std::uniform_int_distribution<int> d(-1, kGrid);
  for (int round = 0; round < 100; ++round) {
    std::vector<Point> pts(3 + round % 6);
    for (Point& p : pts) p = {d(g), d(g)};
    SCOPED_TRACE(round);
    ExpectPolygonMatchesWinding(pts, 0);
  }
}

TEST(Region, PolygonInRowsIsTheWholeFillCutToThoseRows) {
  // Edges that run on past the window on either side (steep and shallow, both
  // directions), a self-crossing star, and windows that cut through them,
  // miss them, hold them whole or are empty.
  const std::vector<std::vector<Point>> polygons = {
      {{0, -40}, {37, 12}, {0, 61}}, {{12, 1}, {19, 22}, {1, 8}, {23, 8}, {5, 22}}, {{-9, 3}, {50, 4}, {7, 90}}};
  const std::pair<int, int> windows[] = {{0, 24}, {5, 9}, {-100, 100}, {30, 31}, {70, 200}, {10, 10}, {12, 3}};
  for (size_t i = 0; i < polygons.size(); ++i) {
    const Region whole = Region::FromPolygon(polygons[i]);
    for (const auto& [first, end] : windows) {
      SCOPED_TRACE(testing::Message() << "polygon " << i << ", rows " << first << ".." << end);
      const Region rows = Region::FromRect({-1000, first, 1000, std::max(first, end)});
      EXPECT_EQ(Region::FromPolygon(polygons[i], first, end), whole & rows);
    }
  }
}

TEST(Region, DegeneratePolygonsAreEmpty) {
  EXPECT_TRUE(Region::FromPolygon(std::vector<Point>{{0, 0}, {5, 5}}).IsEmpty());
  EXPECT_TRUE(Region::FromPolygon(std::vector<Point>{{0, 3}, {5, 3}, {9, 3}}).IsEmpty());
}

TEST(Region, RoundedRectangleCornerReduction) {
  const Rect r{0, 0, 20, 12};
  // Corner sizes beyond the rectangle are reduced to it: the inscribed ellipse.
  EXPECT_EQ(Region::FromRoundRect(r, 100, 100), Region::FromEllipse(r));
  EXPECT_EQ(Region::FromRoundRect(r, 20, 12), Region::FromEllipse(r));
  // Below 2 the corners stay square.
  EXPECT_EQ(Region::FromRoundRect(r, 1, 8), Region::FromRect(r));
  EXPECT_EQ(Region::FromRoundRect(r, 8, 0), Region::FromRect(r));
  // Full height alone gives semi-elliptic ends: the middle row is full width,
  // the top row is shorter but the middle columns reach the top.
  const Region ends = Region::FromRoundRect(r, 6, 12);
  EXPECT_TRUE(ends.Contains(0, 6) && ends.Contains(19, 6));
  EXPECT_FALSE(ends.Contains(0, 0));
  EXPECT_TRUE(ends.Contains(10, 0) && ends.Contains(10, 11));
  EXPECT_EQ(ends.Bounds(), r);
}

TEST(Region, EllipseIsSymmetricAndInscribed) {
  const Region e = Region::FromEllipse({3, 2, 20, 11});
  EXPECT_EQ(e.Bounds(), (Rect{3, 2, 20, 11}));
  for (int y = 2; y < 11; ++y)
    for (int x = 3; x < 20; ++x) {
      ASSERT_EQ(e.Contains(x, y), e.Contains(3 + 19 - 1 - x + 1, y)) << x << "," << y;
      ASSERT_EQ(e.Contains(x, y), e.Contains(x, 2 + 10 - y)) << x << "," << y;
    }
  EXPECT_TRUE(Region::FromEllipse({0, 0, 1, 1}).Contains(0, 0));
  EXPECT_TRUE(Region::FromEllipse({5, 5, 5, 9}).IsEmpty());
}

TEST(Region, ExtCreateRegionReadsTheRectangleBlock) {
  struct {
    RGNDATAHEADER header;
    Rect rects[3];
  } block{{32, RDH_RECTANGLES, 3, 16, {}}, {{0, 0, 4, 4}, {2, 2, 8, 3}, {9, 9, 5, 5}}};
  RegionPtr r = ExtCreateRegion(&block, sizeof block);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->Area(), 16 + 4);
  // A block claiming more rectangles than it holds is refused.
  block.header.nCount = 4;
  EXPECT_FALSE(ExtCreateRegion(&block, sizeof block));
  block.header.nCount = 0;
  RegionPtr empty = ExtCreateRegion(&block, sizeof block);
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->IsEmpty());
}

}  // namespace
}  // namespace raster
