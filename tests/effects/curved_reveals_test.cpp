// Curved and elliptic reveals: every member against the ideal rounded
// rectangle of its table row (a pixel is in when its centre is), where only
// pixels on the shape's edge may differ; then the telling cases worked out by
// hand: nothing at a zero extent, the apex touching the edge half-way, the
// straight segment of a portrait picture, and when 84 and 85 cover or open
// the whole picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "effects/frame_rule.h"
#include "region_reveal_support.h"

namespace {

using namespace region_reveal_test;

struct RoundRect {
  int32_t l, t, r, b, w, h;
};

// The rectangle (normalised, as the platform does) with its corners cut by
// quarters of a w × h ellipse, w and h reduced to the rectangle's size;
// corners below 2 stay square.
bool CentreInside(const RoundRect& rr, int32_t x, int32_t y) {
  const int32_t l = std::min(rr.l, rr.r), r = std::max(rr.l, rr.r);
  const int32_t t = std::min(rr.t, rr.b), b = std::max(rr.t, rr.b);
  if (x < l || x >= r || y < t || y >= b) return false;
  const int32_t w = std::min(rr.w, r - l), h = std::min(rr.h, b - t);
  if (w < 2 || h < 2) return true;
  const double a = w / 2.0, c = h / 2.0, px = x + 0.5, py = y + 0.5;
  const double dx = (px - std::clamp(px, l + a, r - a)) / a, dy = (py - std::clamp(py, t + c, b - c)) / c;
  return dx * dx + dy * dy <= 1.0;
}

// The table rows: the rounded rectangle of each style for W, H, X, Y.
using Shape = std::function<RoundRect(int32_t W, int32_t H, int32_t X, int32_t Y)>;
const std::map<int32_t, Shape> kShapes = {
    {58, [](int32_t W, int32_t H, int32_t X, int32_t) { return RoundRect{-2 * W, 0, 2 * X, H + 1, 2 * W, 2 * W}; }},
    {59, [](int32_t W, int32_t H, int32_t X, int32_t) { return RoundRect{W - 2 * X, 0, 3 * W, H + 1, 2 * W, 2 * W}; }},
    {69, [](int32_t W, int32_t H, int32_t, int32_t Y) { return RoundRect{0, -2 * H, W + 1, 2 * Y, 2 * H, 2 * H}; }},
    {70, [](int32_t W, int32_t H, int32_t, int32_t Y) { return RoundRect{0, H - 2 * Y, W + 1, 3 * H, 2 * H, 2 * H}; }},
    {80,
     [](int32_t W, int32_t H, int32_t X, int32_t Y) { return RoundRect{-W, -H, 3 * X / 2, 3 * Y / 2, 2 * W, 2 * H}; }},
    {81, [](int32_t W, int32_t H, int32_t X,
            int32_t Y) { return RoundRect{W - 3 * X / 2, -H, 2 * W, 3 * Y / 2, 2 * W, 2 * H}; }},
    {82, [](int32_t W, int32_t H, int32_t X,
            int32_t Y) { return RoundRect{-W, H - 3 * Y / 2, 3 * X / 2, 2 * H, 2 * W, 2 * H}; }},
    {83, [](int32_t W, int32_t H, int32_t X,
            int32_t Y) { return RoundRect{W - 3 * X / 2, H - 3 * Y / 2, 2 * W, 2 * H, 2 * W, 2 * H}; }},
    {84, [](int32_t W, int32_t H, int32_t X,
            int32_t Y) { return RoundRect{W / 2 - X, H / 2 - Y, W / 2 + X, H / 2 + Y, 9 * X / 5, 9 * Y / 5}; }},
    // 85 shows the new picture outside this shape.
    {85,
     [](int32_t W, int32_t H, int32_t X, int32_t Y) {
       return RoundRect{X - W / 2, Y - H / 2, 3 * (W / 2) - X, 3 * (H / 2) - Y, 9 * (W - X) / 5, 9 * (H - Y) / 5};
     }},
};

Mask IdealFrame(int32_t style, int32_t W, int32_t H, int32_t X, int32_t Y) {
  const RoundRect rr = kShapes.at(style)(W, H, X, Y);
  Mask mask = UniformMask(W, H, '.');
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x)
      if (CentreInside(rr, x, y) != (style == 85)) mask[size_t(y)][size_t(x)] = '#';
  return mask;
}

// Pixels where the frame and the ideal shape disagree although the ideal
// shape is the same all around them (edge pixels may go either way).
int32_t OffEdgeDifferences(const Mask& frame, const Mask& ideal) {
  const int32_t H = int32_t(ideal.size()), W = H ? int32_t(ideal[0].size()) : 0;
  auto at = [&](int32_t x, int32_t y) {
    return ideal[size_t(std::clamp(y, 0, H - 1))][size_t(std::clamp(x, 0, W - 1))];
  };
  int32_t count = 0;
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x) {
      const char c = ideal[size_t(y)][size_t(x)];
      if (frame[size_t(y)][size_t(x)] == c) continue;
      const bool onEdge = at(x - 1, y) != c || at(x + 1, y) != c || at(x, y - 1) != c || at(x, y + 1) != c;
      count += !onEdge || frame[size_t(y)][size_t(x)] == '?';
    }
  return count;
}

TEST(CurvedReveals, EveryMemberFollowsItsRoundedRectangle) {
  for (const auto& [style, shape] : kShapes) {
    for (const auto& [W, H] : {std::pair{37, 23}, std::pair{23, 37}, std::pair{64, 40}, std::pair{40, 64},
                               std::pair{1, 1}, std::pair{2, 3}}) {
      for (int32_t progress : {1, 20, 37, 50, 68, 80, 99}) {
        const effects::ProgressExtent e = effects::ExtentFor(W, H, progress);
        const Mask frame = RunStyle(style, W, H, e.X, e.Y, progress);
        EXPECT_EQ(OffEdgeDifferences(frame, IdealFrame(style, W, H, e.X, e.Y)), 0)
            << "style " << style << " " << W << "x" << H << " at " << progress;
      }
    }
  }
}

TEST(CurvedReveals, NothingAtAZeroExtent) {
  for (const auto& [style, shape] : kShapes) {
    if (style == 85) continue;
    for (const auto& [W, H] : {std::pair{37, 23}, std::pair{23, 37}, std::pair{1, 1}}) {
      EXPECT_EQ(RunStyle(style, W, H, 0, 0, 1), UniformMask(W, H, '.')) << "style " << style << " " << W << "x" << H;
    }
  }
}

TEST(CurvedReveals, HalfWayTheApexTouchesTheFarEdge) {
  const int32_t W = 36, H = 23;
  const Mask left = RunStyle(58, W, H, W / 2, 0);
  const Mask right = RunStyle(59, W, H, W / 2, 0);
  for (size_t y : {size_t{11}, size_t{12}}) {  // the middle rows of the H + 1 rows of the rectangle
    EXPECT_EQ(left[y][W - 1], '#') << "row " << y;
    EXPECT_EQ(right[y][0], '#') << "row " << y;
  }
  for (size_t y : {size_t{0}, size_t(H - 1)}) {
    EXPECT_EQ(left[y].substr(W / 2), std::string(W / 2, '.')) << "row " << y;
    EXPECT_EQ(right[y].substr(0, W / 2), std::string(W / 2, '.')) << "row " << y;
  }
  // The same across the height for 69 and 70 (W = 23 columns, middle 11 and 12).
  const Mask down = RunStyle(69, H, W, 0, W / 2);
  const Mask up = RunStyle(70, H, W, 0, W / 2);
  EXPECT_EQ(down[W - 1][11], '#');
  EXPECT_EQ(up[0][11], '#');
  EXPECT_EQ(down[W - 1][0], '.');
  EXPECT_EQ(up[0][H - 1], '.');
}

TEST(CurvedReveals, PortraitPictureKeepsAStraightSegment) {
  // 10 × 40: H >= 2W - 1, so the 20 × 20 corners are not reduced and rows
  // 10 to 30 (H + 1 - 2W = 21 rows) end exactly at x = 2X.
  const Mask frame = RunStyle(58, 10, 40, 3, 12);
  for (size_t y = 10; y <= 30; ++y) EXPECT_EQ(frame[y], "######....") << "row " << y;
  EXPECT_EQ(frame[0], "..........");
  EXPECT_EQ(frame[39].substr(3), ".......");
}

int32_t NewPixels(const Mask& m) {
  int32_t n = 0;
  for (const std::string& row : m) n += int32_t(std::count(row.begin(), row.end(), '#'));
  return n;
}

TEST(CurvedReveals, NearEllipsesCoverOrOpenThePictureAboutAThirdFromTheEnds) {
  const int32_t W = 200, H = 120;
  EXPECT_EQ(NewPixels(RunStyle(85, W, H, 60, 36)), 0);  // X = 0.30 W: the corners still inside
  EXPECT_GT(NewPixels(RunStyle(85, W, H, 70, 42)), 0);  // X = 0.35 W: the corners show
  EXPECT_EQ(NewPixels(RunStyle(84, W, H, 140, 84)), W * H);  // X = 0.70 W: all covered
  EXPECT_LT(NewPixels(RunStyle(84, W, H, 130, 78)), W * H);  // X = 0.65 W: the corners still old
  EXPECT_EQ(NewPixels(RunStyle(85, W, H, W, H)), W * H);  // the near-ellipse has shrunk to nothing
}

}  // namespace
