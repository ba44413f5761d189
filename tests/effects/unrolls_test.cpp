// Unrolls and build-ups. The rolls are checked line by line (a line is a
// column for styles 14 and 15, a row for 31 and 32) on pictures 40 lines
// long, where the roll is 4 lines wide in the middle of the transition: which
// line of which picture each line shows, and how much it is shaded.
#include <gtest/gtest.h>

#include <vector>

#include "wipes_support.h"

namespace {

using namespace wipes_test;

constexpr int32_t kLength = 40, kAcross = 3;
constexpr uint8_t kGrey = 200;  // far enough from 0 and 255 for any shading here

// Grey pixels whose reserved byte names the picture (bit 7 set: new) and the
// line along the roll's axis; the shading shows as the grey's change.
void FillLines(raster::Bitmap& b, bool isNew, bool vertical) {
  for (int32_t y = 0; y < b.Height(); ++y) {
    for (int32_t x = 0; x < b.Width(); ++x) {
      const uint32_t line = uint32_t(vertical ? y : x) | (isNew ? 0x80u : 0u);
      b.SetPixel(x, y, line << 24 | kGrey << 16 | kGrey << 8 | kGrey);
    }
  }
}

// One frame of an unroll. Lines newFrom..newTo-1 show the new picture in
// place; the roll starts at line rollAt and its k-th line shows line
// rollSource[k] of the new picture (-1: the old picture in place) shaded by
// rollShade[k]; every other line shows the old picture in place.
struct RollCase {
  int32_t style, extent;
  int32_t newFrom, newTo;
  int32_t rollAt;
  std::vector<int32_t> rollSource, rollShade;
};

void PrintTo(const RollCase& c, std::ostream* os) { *os << "style " << c.style << " at extent " << c.extent; }

class UnrollFrame : public ::testing::TestWithParam<RollCase> {};

TEST_P(UnrollFrame, ShowsUncoveredPartAndShadedMirrorRoll) {
  const RollCase& c = GetParam();
  const bool vertical = c.style == 31 || c.style == 32;
  const int32_t W = vertical ? kAcross : kLength, H = vertical ? kLength : kAcross;
  raster::Bitmap display(W, H), image(W, H);
  FillLines(display, false, vertical);
  FillLines(image, true, vertical);
  effects::VantrelEffects[c.style].Proc(display, image, W, H, vertical ? 1 : c.extent, vertical ? c.extent : 1, 50);

  for (int32_t line = 0; line < kLength; ++line) {
    bool isNew = false;
    int32_t source = line, shade = 0;
    if (line >= c.newFrom && line < c.newTo) {
      isNew = true;
    } else if (line >= c.rollAt && line < c.rollAt + int32_t(c.rollSource.size())) {
      const size_t k = size_t(line - c.rollAt);
      isNew = c.rollSource[k] >= 0;
      source = isNew ? c.rollSource[k] : line;
      shade = c.rollShade[k];
    }
    const uint32_t expected = uint32_t(source | (isNew ? 0x80 : 0)) << 24 | 0x010101u * uint32_t(kGrey + shade);
    for (int32_t across = 0; across < kAcross; ++across) {
      const uint32_t got = vertical ? display.Pixel(across, line) : display.Pixel(line, across);
      ASSERT_EQ(got, expected) << "line " << line << " across " << across;
    }
  }
}

// The roll is X wide at the start, W div 10 in the middle and half the rest
// near the end. Shading of a band of 2, 3, 4 lines: across the width -64 0,
// -64 0 -64, -64 -32 0 -32; down the height, top to bottom, -128 -64,
// -192 -128 -64, -96 -64 -32 -64.
INSTANTIATE_TEST_SUITE_P(RollWidth, UnrollFrame,
                         ::testing::Values(RollCase{14, 0, 0, 0, 0, {}, {}},
                                           RollCase{14, 1, 0, 1, 1, {2}, {0}},  // one unshaded line
                                           RollCase{14, 2, 0, 2, 2, {5, 4}, {-64, 0}},
                                           RollCase{14, 20, 0, 20, 20, {27, 26, 25, 24}, {-64, -32, 0, -32}},
                                           RollCase{14, 32, 0, 32, 32, {39, 38, 37, 36}, {-64, -32, 0, -32}},
                                           RollCase{14, 33, 0, 33, 33, {38, 37, 36}, {-64, 0, -64}},
                                           RollCase{14, 35, 0, 35, 35, {38, 37}, {-64, 0}},
                                           RollCase{14, 40, 0, 40, 40, {}, {}},
                                           RollCase{15, 2, 38, 40, 36, {34, 33}, {-64, 0}},
                                           RollCase{15, 20, 20, 40, 16, {14, 13, 12, 11}, {-64, -32, 0, -32}},
                                           RollCase{15, 35, 5, 40, 3, {1, 0}, {-64, 0}},
                                           // W - X even near the end: the mirrored strip starts at line -1, which is
                                           // never read; the roll's line next to the uncovered part keeps the old
                                           // picture, shaded.
                                           RollCase{15, 34, 6, 40, 3, {1, 0, -1}, {-64, 0, -64}},
                                           RollCase{31, 2, 0, 2, 2, {5, 4}, {-128, -64}},
                                           RollCase{31, 20, 0, 20, 20, {27, 26, 25, 24}, {-96, -64, -32, -64}},
                                           RollCase{31, 35, 0, 35, 35, {38, 37}, {-128, -64}},
                                           RollCase{32, 20, 20, 40, 16, {14, 13, 12, 11}, {-96, -64, -32, -64}},
                                           RollCase{32, 34, 6, 40, 3, {1, 0, -1}, {-192, -128, -64}}));

class BuildUpFrame : public ::testing::TestWithParam<WipeCase> {};

TEST_P(BuildUpFrame, MakesExactlyTheCopiesOfItsStyle) { EXPECT_TRUE(DrawsExactly(GetParam())); }

// 40 wide (strip of W div 10 = 4 columns) or 40 high.
INSTANTIATE_TEST_SUITE_P(
    Strip, BuildUpFrame,
    ::testing::Values(WipeCase{16, 40, 3, 0, 0, {S(0, 0, 40, 3, 0, 0, 4, 3)}},  // nothing in place, the strip over all
                      WipeCase{16, 40, 3, 10, 1, {B(0, 0, 10, 3, 0, 0), S(10, 0, 30, 3, 10, 0, 4, 3)}},
                      WipeCase{16, 40, 3, 37, 3, {B(0, 0, 40, 3, 0, 0)}},  // the rest, stretched by 1
                      WipeCase{17, 40, 3, 0, 0, {S(0, 0, 40, 3, 36, 0, 4, 3)}},
                      WipeCase{17, 40, 3, 10, 1, {B(30, 0, 10, 3, 30, 0), S(0, 0, 30, 3, 26, 0, 4, 3)}},
                      WipeCase{17, 40, 3, 37, 3, {B(0, 0, 40, 3, 0, 0)}},
                      WipeCase{33, 3, 40, 1, 10, {B(0, 0, 3, 10, 0, 0), S(0, 10, 3, 30, 0, 10, 3, 4)}},
                      WipeCase{33, 3, 40, 3, 37, {B(0, 0, 3, 40, 0, 0)}},
                      WipeCase{34, 3, 40, 1, 10, {B(0, 30, 3, 10, 0, 30), S(0, 0, 3, 30, 0, 26, 3, 4)}},
                      WipeCase{34, 3, 40, 3, 37, {B(0, 0, 3, 40, 0, 0)}}));

}  // namespace
