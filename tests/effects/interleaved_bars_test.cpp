// Interleaved bars on small pictures (bars one pixel thick below 50 pixels),
// frame by frame against masks worked out by hand: '#' new picture, '.' old.
#include <gtest/gtest.h>

#include "region_reveal_support.h"

namespace {

using namespace region_reveal_test;

struct BarFrame {
  int32_t style, W, H, X, Y;
  Mask expected;
};

const std::vector<BarFrame> kRowBarFrames = {
    // 2X = 4 <= W: even rows from the right edge.
    {60, 6, 5, 2, 0, {"..####", "......", "..####", "......", "..####"}},
    // 2X = W exactly is still the first half: even rows whole, no odd row started.
    {61, 6, 5, 3, 0, {"######", "......", "######", "......", "######"}},
    {60, 6, 5, 3, 0, {"######", "......", "######", "......", "######"}},
    // Second half: odd rows from the right (62), from the left (63), from the
    // right again (60), from the left again (61).
    {62, 6, 5, 4, 0, {"######", "....##", "######", "....##", "######"}},
    {63, 6, 5, 4, 0, {"######", "##....", "######", "##....", "######"}},
    {60, 6, 5, 5, 0, {"######", "..####", "######", "..####", "######"}},
    {61, 6, 5, 5, 0, {"######", "####..", "######", "####..", "######"}},
    // First half of 62 and 63: even rows from the left and from the right.
    {62, 6, 5, 1, 0, {"##....", "......", "##....", "......", "##...."}},
    {63, 6, 5, 1, 0, {"....##", "......", "....##", "......", "....##"}},
    // Both sides with the plain extent: half-way, half of the picture is new.
    {64, 6, 5, 3, 0, {"...###", "###...", "...###", "###...", "...###"}},
    {64, 6, 5, 1, 0, {".....#", "#.....", ".....#", "#.....", ".....#"}},
    // Nothing at X = 0: every rectangle is empty, the frame stays old.
    {60, 6, 5, 0, 0, UniformMask(6, 5, '.')},
    {64, 6, 5, 0, 0, UniformMask(6, 5, '.')},
};

const std::vector<BarFrame> kColumnBarFrames = {
    // 2Y = 4 <= H: even columns from the bottom (71) and from the top (72).
    {71, 5, 6, 0, 2, {".....", ".....", "#.#.#", "#.#.#", "#.#.#", "#.#.#"}},
    {72, 5, 6, 0, 2, {"#.#.#", "#.#.#", "#.#.#", "#.#.#", ".....", "....."}},
    {72, 5, 6, 0, 3, {"#.#.#", "#.#.#", "#.#.#", "#.#.#", "#.#.#", "#.#.#"}},
    {71, 5, 6, 0, 5, {"#.#.#", "#.#.#", "#####", "#####", "#####", "#####"}},
    {72, 5, 6, 0, 5, {"#####", "#####", "#####", "#####", "#.#.#", "#.#.#"}},
    {73, 5, 6, 0, 1, {"#.#.#", "#.#.#", ".....", ".....", ".....", "....."}},
    {73, 5, 6, 0, 4, {"#.#.#", "#.#.#", "#.#.#", "#.#.#", "#####", "#####"}},
    {74, 5, 6, 0, 1, {".....", ".....", ".....", ".....", "#.#.#", "#.#.#"}},
    {74, 5, 6, 0, 4, {"#####", "#####", "#.#.#", "#.#.#", "#.#.#", "#.#.#"}},
    {75, 5, 6, 0, 3, {".#.#.", ".#.#.", ".#.#.", "#.#.#", "#.#.#", "#.#.#"}},
    {71, 5, 6, 0, 0, UniformMask(5, 6, '.')},
    {75, 5, 6, 0, 0, UniformMask(5, 6, '.')},
};

void ExpectFrames(const std::vector<BarFrame>& frames) {
  for (const BarFrame& f : frames) {
    EXPECT_EQ(RunStyle(f.style, f.W, f.H, f.X, f.Y), f.expected)
        << "style " << f.style << " at X " << f.X << ", Y " << f.Y;
  }
}

TEST(InterleavedBars, RowBarFrames) { ExpectFrames(kRowBarFrames); }
TEST(InterleavedBars, ColumnBarFrames) { ExpectFrames(kColumnBarFrames); }

TEST(InterleavedBars, BarsFollowTheBarSizeOfTheShorterSide) {
  // 1200 × 850: bars of 18 rows; even bars 0-17, 36-53, ... fill first.
  const Mask half = RunStyle(61, 1200, 850, 300, 0);
  for (int32_t y : {0, 17, 36, 53, 828, 845}) {
    EXPECT_EQ(half[size_t(y)].find('.'), 600u) << "row " << y;  // 2X = 600 columns from the left
  }
  for (int32_t y : {18, 35, 54, 71, 846, 849}) EXPECT_EQ(half[size_t(y)].find('#'), std::string::npos) << "row " << y;
  // Column bars of a portrait picture take their size from its width.
  const Mask columns = RunStyle(72, 850, 1200, 0, 300);
  EXPECT_EQ(columns[599][17], '#');
  EXPECT_EQ(columns[600][17], '.');
  EXPECT_EQ(columns[0][18], '.');
  EXPECT_EQ(columns[0][36], '#');
}

}  // namespace
