// Polygon reveals: every style's frame against its vertex lists, rasterised
// pixel by pixel, on odd sizes and several progress values; the zigzag edge
// cases of narrow and low pictures; zero-area polygons leaving the old picture.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "polygon_mask_support.h"

namespace {

using namespace polygon_mask_test;

struct Geometry {
  int32_t W, H, X, Y, P;
  int32_t mW() const { return W / 2; }
  int32_t mH() const { return H / 2; }
};

Vertices Zigzag(const Geometry& g, bool vertical) {
  const int32_t sW = g.W / 10, sH = g.H / 10;
  const int32_t half = vertical ? raster::MulDiv(sW, g.P, 100) + g.X / 2 : raster::MulDiv(sH, g.P, 100) + g.Y / 2;
  const int32_t mid = vertical ? g.mW() : g.mH(), tooth = vertical ? sW : sH, pitch = vertical ? sH : sW;
  const int32_t edge[4] = {mid + tooth - half, mid - tooth - half, mid + tooth + half, mid - tooth + half};
  Vertices v(48);
  for (int32_t n = 0; n < 12; ++n) {
    const int32_t along = n * pitch, near = edge[n % 2], far = edge[2 + n % 2];
    v[size_t(2 * n)] = vertical ? near : along;
    v[size_t(2 * n + 1)] = vertical ? along : near;
    v[size_t(2 * (23 - n))] = vertical ? far : along;
    v[size_t(2 * (23 - n) + 1)] = vertical ? along : far;
  }
  return v;
}

Shape CrossWedges(const Geometry& g, int32_t mX, int32_t mY, bool picture) {
  const int32_t W = g.W, H = g.H, mW = g.mW(), mH = g.mH();
  std::vector<Vertices> wedges = {{0, mH - mY, mX, mH, 0, mH + mY},
                                  {W, mH - mY, W - mX, mH, W, mH + mY},
                                  {mW - mX, 0, mW, mY, mW + mX, 0},
                                  {mW - mX, H, mW, H - mY, mW + mX, H}};
  return picture ? PictureXor(wedges) : UnionOf(wedges);
}

// The region of every style, written out from its vertex lists.
const std::map<int32_t, std::function<Shape(const Geometry&)>>& ExpectedShapes() {
  static const std::map<int32_t, std::function<Shape(const Geometry&)>> shapes = {
      {110,
       [](const Geometry& g) {
         return UnionOf({{0, 0, 2 * g.X, 0, 0, 2 * g.Y}});
       }},
      {111,
       [](const Geometry& g) {
         return UnionOf({{g.W, 0, g.W - 2 * g.X, 0, g.W, 2 * g.Y}});
       }},
      {112,
       [](const Geometry& g) {
         return UnionOf({{0, g.H, 2 * g.X, g.H, 0, g.H - 2 * g.Y}});
       }},
      {113,
       [](const Geometry& g) {
         return UnionOf({{g.W, g.H, g.W - 2 * g.X, g.H, g.W, g.H - 2 * g.Y}});
       }},
      {114,
       [](const Geometry& g) {
         return UnionOf({{0, g.H, 0, 0, g.X, g.H}, {g.W, g.H, g.W, 0, g.W - g.X, 0}});
       }},
      {115,
       [](const Geometry& g) {
         return UnionOf({{g.W, 0, 0, 0, g.W, g.Y}, {g.W, g.H, 0, g.H, 0, g.H - g.Y}});
       }},
      {116,
       [](const Geometry& g) {
         const int32_t a = g.mW(), b = g.mH();
         return UnionOf({{a, b, 0, 0, g.X, 0},
                         {a, b, 0, g.H, 0, g.H - g.Y},
                         {a, b, g.W, g.H, g.W - g.X, g.H},
                         {a, b, g.W, 0, g.W, g.Y}});
       }},
      {117,
       [](const Geometry& g) {
         const int32_t a = g.mW(), b = g.mH();
         return UnionOf({{a, b, 0, 0, 0, g.Y},
                         {a, b, 0, g.H, g.X, g.H},
                         {a, b, g.W, g.H, g.W, g.H - g.Y},
                         {a, b, g.W, 0, g.W - g.X, 0}});
       }},
      {154,
       [](const Geometry& g) {
         return UnionOf({{0, g.mH() - g.Y, 2 * g.X, g.mH(), 0, g.mH() + g.Y}});
       }},
      {155,
       [](const Geometry& g) {
         return UnionOf({{g.W, g.mH() - g.Y, g.W - 2 * g.X, g.mH(), g.W, g.mH() + g.Y}});
       }},
      {156,
       [](const Geometry& g) {
         return UnionOf({{g.mW() - g.X, 0, g.mW(), 2 * g.Y, g.mW() + g.X, 0}});
       }},
      {157,
       [](const Geometry& g) {
         return UnionOf({{g.mW() - g.X, g.H, g.mW(), g.H - 2 * g.Y, g.mW() + g.X, g.H}});
       }},
      {158,
       [](const Geometry& g) {
         return UnionOf({{0, g.mH() - g.Y, g.X, g.mH(), 0, g.mH() + g.Y},
                         {g.W, g.mH() - g.Y, g.W - g.X, g.mH(), g.W, g.mH() + g.Y}});
       }},
      {159,
       [](const Geometry& g) {
         return UnionOf({{g.mW() - g.X, 0, g.mW(), 2 * g.Y, g.mW() + g.X, 0},
                         {g.mW() - g.X, g.H, g.mW(), g.H - 2 * g.Y, g.mW() + g.X, g.H}});
       }},
      {160, [](const Geometry& g) { return CrossWedges(g, g.X / 2, g.Y / 2, false); }},
      {161, [](const Geometry& g) { return CrossWedges(g, (g.W - g.X) / 2, (g.H - g.Y) / 2, true); }},
      {162, [](const Geometry& g) { return UnionOf({Zigzag(g, false)}); }},
      {163, [](const Geometry& g) { return UnionOf({Zigzag(g, true)}); }},
      {165,
       [](const Geometry& g) {
         const int32_t a = g.mW(), b = g.mH();
         return UnionOf({{a - g.X, b, a, b - g.Y, a + g.X, b, a, b + g.Y}});
       }},
      {166,
       [](const Geometry& g) {
         const int32_t a = g.mW(), b = g.mH();
         return PictureXor({{g.X - a, b, a, g.Y - b, 3 * a - g.X, b, a, 3 * b - g.Y}});
       }},
      {167,
       [](const Geometry& g) {
         const int32_t a = g.mW(), b = g.mH(), mX = g.X / 2, mY = g.Y / 2;
         Shape s = UnionOf({{-mX, b, a, -mY, 2 * a + mX, b, a, 2 * b + mY}});
         s.parts.push_back({Op::Xor, {mX, b, a, mY, 2 * a - mX, b, a, 2 * b - mY}});
         return s;
       }},
  };
  return shapes;
}

class PolygonReveal : public ::testing::TestWithParam<int32_t> {};

TEST_P(PolygonReveal, FrameIsTheStylesPolygonsOnOddSizes) {
  const int32_t style = GetParam();
  const auto& expected = ExpectedShapes().at(style);
  for (const auto& [W, H] : {std::pair{37, 23}, {23, 37}, {101, 60}, {9, 41}}) {
    for (const int32_t P : {1, 13, 25, 50, 62, 77, 99}) {
      const effects::ProgressExtent e = effects::ExtentFor(W, H, P);
      const Geometry g{W, H, e.X, e.Y, P};
      EXPECT_EQ(MaskOf(expected(g), W, H), FrameAt(style, W, H, P))
          << "style " << style << " on " << W << "x" << H << " at " << P;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Styles, PolygonReveal,
                         ::testing::Values(110, 111, 112, 113, 114, 115, 116, 117, 154, 155, 156, 157, 158, 159, 160,
                                           161, 162, 163, 165, 166, 167),
                         [](const ::testing::TestParamInfo<int32_t>& row) {
                           return "Style" + std::to_string(row.param);
                         });

// A zero-area polygon is an empty region, not "no region": nothing changes.
TEST(PolygonReveal, ZeroAreaLeavesTheOldPicture) {
  for (const int32_t style : {110, 111, 112, 113, 154, 155, 156, 157, 165}) {
    EXPECT_EQ(UniformMask(37, 23, '.'), FrameAt(style, 37, 23, 1)) << "style " << style;
  }
}

TEST(Zigzag, NarrowerThanTenPixelsNeverShowsTheNewPicture) {
  for (const int32_t P : {1, 50, 99}) {
    EXPECT_EQ(UniformMask(9, 40, '.'), FrameAt(162, 9, 40, P)) << "at " << P;
    EXPECT_EQ(UniformMask(40, 9, '.'), FrameAt(163, 40, 9, P)) << "at " << P;
  }
}

TEST(Zigzag, BandEndsAtElevenPitchesShortOfTheFarEdge) {
  // W = 19: sW = 1, the band ends at x = 11; columns 11..18 stay old.
  const Mask horizontal = FrameAt(162, 19, 40, 99);
  for (const std::string& row : horizontal) EXPECT_EQ(std::string(8, '.'), row.substr(11));
  EXPECT_NE(UniformMask(19, 40, '.'), horizontal);
  const Mask vertical = FrameAt(163, 40, 19, 99);
  for (size_t y = 11; y < 19; ++y) EXPECT_EQ(std::string(40, '.'), vertical[y]);
}

TEST(Zigzag, LowerThanTenPixelsHasStraightEdges) {
  // 100 x 9 at 50: X = 50, Y = 5, sH = 0, half-thickness 5 div 2 = 2 about row 4.
  Mask expected = UniformMask(100, 9, '.');
  for (size_t y = 2; y < 6; ++y) expected[y] = std::string(100, '#');
  EXPECT_EQ(expected, FrameAt(162, 100, 9, 50));
}

TEST(BowTie, VerticalStopsChangingFromThreeQuartersOn) {
  EXPECT_EQ(UniformMask(40, 30, '#'), FrameAt(159, 40, 30, 80));
  EXPECT_NE(UniformMask(40, 30, '#'), FrameAt(158, 40, 30, 95));
}

}  // namespace
