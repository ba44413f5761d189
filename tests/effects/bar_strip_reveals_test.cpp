// Criss-cross, speckle, blind and appearing-rectangle reveals: small frames
// worked out by hand, the half-time grid, the early returns, and the draws a
// speckle frame takes from the shared generator.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/raster/random.h"
#include "polygon_mask_support.h"

namespace {

using namespace polygon_mask_test;

Mask MaskWhere(int32_t W, int32_t H, const std::function<bool(int32_t, int32_t)>& shown) {
  Mask m = UniformMask(W, H, '.');
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x)
      if (shown(x, y)) m[size_t(y)][size_t(x)] = '#';
  return m;
}

struct HandCase {
  int32_t style, W, H, P;
  Mask expected;
};

// Worked out from the strip lists on paper.
const std::vector<HandCase> kHandCases = {
    // 4 x 4 at 50: X = Y = 2, bar size 1; rows alternate right/left, columns bottom/top.
    {98, 4, 4, 50, {".###", "##.#", "#.##", "###."}},
    // 10 x 10 at 10: only the squares where rows from the right cross columns
    // from the top (8, 0) and rows from the left cross columns from the bottom (0, 8).
    {99,
     10,
     10,
     10,
     {"........#.", "..........", "..........", "..........", "..........", "..........", "..........", "..........",
      "#.........", ".........."}},
    // 11 x 2 at 30: X = 3, strips 1 wide every 3 pixels from the left / right.
    {139, 11, 2, 30, {"#..#..#..#.", "#..#..#..#."}},
    {140, 11, 2, 30, {".#..#..#..#", ".#..#..#..#"}},
    {141, 2, 11, 30, {"##", "..", "..", "##", "..", "..", "##", "..", "..", "##", ".."}},
    {142, 2, 11, 30, {"..", "##", "..", "..", "##", "..", "..", "##", "..", "..", "##"}},
};

TEST(BarStripReveal, HandWorkedFrames) {
  for (const HandCase& c : kHandCases) {
    EXPECT_EQ(c.expected, FrameAt(c.style, c.W, c.H, c.P)) << "style " << c.style;
  }
}

TEST(BarStripReveal, HandWorkedPatterns) {
  // Blind horizontally, 5 x 100 at 30: S = 3, D = 1, slats [6k + 2, 6k + 4).
  EXPECT_EQ(MaskWhere(5, 100, [](int32_t, int32_t y) { return y % 6 == 2 || y % 6 == 3; }), FrameAt(138, 5, 100, 30));
  // 10 x 40 at 50: X = 5, SH = 2; bands 2 thick about -2, 4, 10, ... (rows 6k + 3, 6k + 4);
  // slats 3 wide starting at x = 0, 5 (146) or ending at x = 10, 5 (147).
  auto band = [](int32_t v) { return (v % 6 == 3 || v % 6 == 4) && v < 36; };  // last centre 34
  EXPECT_EQ(MaskWhere(10, 40, [&](int32_t x, int32_t y) { return band(y) || x % 5 < 3; }), FrameAt(146, 10, 40, 50));
  EXPECT_EQ(MaskWhere(10, 40, [&](int32_t x, int32_t y) { return band(y) || x % 5 >= 2; }), FrameAt(147, 10, 40, 50));
  // 40 x 10 at 50: Y = 5, SW = 2; columns 6k + 3, 6k + 4; strips 3 high from the top (148) or bottom (149).
  EXPECT_EQ(MaskWhere(40, 10, [&](int32_t x, int32_t y) { return band(x) || y % 5 < 3; }), FrameAt(148, 40, 10, 50));
  EXPECT_EQ(MaskWhere(40, 10, [&](int32_t x, int32_t y) { return band(x) || y % 5 >= 2; }), FrameAt(149, 40, 10, 50));
}

TEST(CrissCross, HalfTimeGridOn200x150) {
  // Bars 4 thick: at 50 the even rows and even columns are full, and only the
  // cells where an odd row meets an odd column still show the old picture.
  const Mask grid = MaskWhere(200, 150, [](int32_t x, int32_t y) { return (x / 4) % 2 == 0 || (y / 4) % 2 == 0; });
  for (const int32_t style : {86, 87, 88, 89, 90, 91, 92, 93, 99}) {
    EXPECT_EQ(grid, FrameAt(style, 200, 150, 50)) << "style " << style;
  }
}

TEST(CrissCross, WholePictureAtTheLastStepOfDoubledExtents) {
  for (const int32_t style : {86, 87, 88, 89, 90, 91, 92, 93, 99}) {
    EXPECT_EQ(UniformMask(50, 50, '#'), RunStyle(style, 50, 50, 50, 50, 99)) << "style " << style;
  }
}

TEST(Blinds, VerticalBlindOnNarrowPictureOpensAllAtHalfTime) {
  EXPECT_EQ(UniformMask(12, 3, '.'), FrameAt(137, 12, 3, 49));
  EXPECT_EQ(UniformMask(12, 3, '#'), FrameAt(137, 12, 3, 50));
}

TEST(Blinds, UnevenBlindsWithZeroExtentReturnAtOnce) {
  // 40 x 30 at 1: X = 0 and Y = 0; the strip loop would never end.
  for (const int32_t style : {139, 140, 141, 142}) {
    EXPECT_EQ(UniformMask(40, 30, '.'), FrameAt(style, 40, 30, 1)) << "style " << style;
  }
}

TEST(AppearingRectangles, BandUnitZeroNeverShowsTheNewPicture) {
  for (const int32_t P : {1, 50, 99}) {
    EXPECT_EQ(UniformMask(30, 19, '.'), FrameAt(146, 30, 19, P)) << "at " << P;
    EXPECT_EQ(UniformMask(30, 19, '.'), FrameAt(147, 30, 19, P)) << "at " << P;
    EXPECT_EQ(UniformMask(19, 30, '.'), FrameAt(148, 19, 30, P)) << "at " << P;
    EXPECT_EQ(UniformMask(19, 30, '.'), FrameAt(149, 19, 30, P)) << "at " << P;
  }
}

// The swarm region written out: the solid part up to the extent and, per row
// (column), one draw for each candidate square from the farthest to the nearest.
Mask SwarmFrame(uint32_t seed, int32_t W, int32_t H, int32_t P, int32_t XMode, int32_t YMode, int64_t& draws) {
  const effects::ProgressExtent e = effects::ExtentFor(W, H, P);
  const bool rows = XMode != 0;
  const int32_t len = rows ? W : H, across = rows ? H : W, E = rows ? e.X : e.Y, mode = rows ? XMode : YMode;
  const int32_t N = E < len ? len / 10 : 0, M = std::max(N / 20, 2), S = M / 2, L = N / M, C = (3 * N) / (4 * M);
  Mask m = UniformMask(W, H, '.');
  auto show = [&](int32_t a0, int32_t a1, int32_t c0, int32_t c1) {  // along [a0, a1), across [c0, c1)
    for (int32_t c = std::max(c0, 0); c < std::min(c1, across); ++c)
      for (int32_t a = std::max(a0, 0); a < std::min(a1, len); ++a)
        (rows ? m[size_t(c)][size_t(a)] : m[size_t(a)][size_t(c)]) = '#';
  };
  uint32_t state = seed;
  draws = 0;
  for (int32_t c = 0; c < across; c += S) {
    if (mode == 1)
      show(len - E, len, c, c + M);
    else
      show(0, E, c, c + M);
    for (int32_t I = L; I >= 1; --I) {
      state = NextState(state);
      ++draws;
      const int32_t r = DrawOf(state, I);
      if (I <= C ? r > 1 : r != 0) continue;
      if (mode == 1)
        show(len - E - I * M, len - E - I * M + M, c, c + M);
      else
        show(E + I * M - M, E + I * M, c, c + M);
    }
  }
  return m;
}

TEST(Speckles, FrameAndDrawsFollowTheSwarm) {
  struct Case {
    int32_t style, W, H, P, XMode, YMode;
    int64_t draws;
  };
  // 400 x 30 at 50: N = 40, squares of 2, rows 1 apart: 30 rows of 20 draws.
  for (const Case c :
       {Case{124, 400, 30, 50, 1, 0, 600}, Case{125, 400, 30, 50, 2, 0, 600}, Case{126, 30, 400, 50, 0, 1, 600},
        Case{127, 30, 400, 50, 0, 2, 600}, Case{125, 19, 7, 60, 2, 0, 0}, Case{126, 45, 61, 30, 0, 1, 45 * 3}}) {
    const uint32_t seed = 0xC0FFEEu + uint32_t(c.style);
    int64_t draws = 0;
    const Mask expected = SwarmFrame(seed, c.W, c.H, c.P, c.XMode, c.YMode, draws);
    EXPECT_EQ(c.draws, draws) << "style " << c.style;
    raster::RandSeed = seed;
    EXPECT_EQ(expected, FrameAt(c.style, c.W, c.H, c.P)) << "style " << c.style;
    EXPECT_EQ(StateAfter(seed, c.draws), raster::RandSeed.load()) << "style " << c.style;
  }
}

TEST(Speckles, SuccessiveFramesAtOneProgressScatterDifferently) {
  raster::RandSeed = 12345u;
  const Mask first = FrameAt(125, 400, 60, 40);
  EXPECT_NE(first, FrameAt(125, 400, 60, 40));
}

}  // namespace
