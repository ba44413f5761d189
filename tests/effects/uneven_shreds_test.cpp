// Uneven shreds: without jitter (pictures under 10 pixels, or the extent at
// the full size) against masks worked out by hand; with jitter against the
// strips of the mode table fed with the generator draws replayed from a known
// seed, which also fixes how many numbers each frame draws and in what order.
#include <gtest/gtest.h>

#include "effects/frame_rule.h"
#include "platform/raster/random.h"
#include "region_reveal_support.h"

namespace {

using namespace region_reveal_test;

struct ShredFrame {
  int32_t style, W, H, X, Y;
  Mask expected;
};

// Below 10 pixels the jitter N is 0, so every strip is exactly the extent long.
const std::vector<ShredFrame> kStraightFrames = {
    {65, 7, 3, 3, 0, {"....###", "....###", "....###"}},
    {66, 7, 3, 3, 0, {"###....", "###....", "###...."}},
    {67, 7, 3, 4, 0, {".####..", ".####..", ".####.."}},  // half-length 2 each side of column 3
    {68, 7, 3, 4, 0, {"##...##", "##...##", "##...##"}},
    // At the full width of an odd picture the middle modes leave one column old.
    {67, 7, 3, 7, 0, {"######.", "######.", "######."}},
    {68, 7, 3, 7, 0, {"###.###", "###.###", "###.###"}},
    {76, 3, 7, 0, 3, {"...", "...", "...", "...", "###", "###", "###"}},
    {77, 3, 7, 0, 3, {"###", "###", "###", "...", "...", "...", "..."}},
    {78, 3, 7, 0, 7, {"###", "###", "###", "###", "###", "###", "..."}},
    {79, 3, 7, 0, 7, {"###", "###", "###", "...", "###", "###", "###"}},
    {100, 7, 5, 3, 2, {"....###", "....###", "....###", "#######", "#######"}},
    {103, 7, 5, 3, 2, {"#######", "#######", "###....", "###....", "###...."}},
    {108, 7, 5, 4, 2, {".####..", "#######", "#######", ".####..", ".####.."}},
    {109, 7, 5, 4, 2, {"#######", "##...##", "##...##", "##...##", "#######"}},
    // A zero extent without jitter uncovers nothing at all.
    {65, 7, 3, 0, 0, UniformMask(7, 3, '.')},
    {109, 7, 5, 0, 0, UniformMask(7, 5, '.')},
};

TEST(UnevenShreds, FramesWithoutJitter) {
  for (const ShredFrame& f : kStraightFrames) {
    EXPECT_EQ(RunStyle(f.style, f.W, f.H, f.X, f.Y), f.expected)
        << "style " << f.style << " at X " << f.X << ", Y " << f.Y;
  }
}

TEST(UnevenShreds, FullWidthLeavesNoJitterOnALargerPicture) {
  // 41 wide: N would be 4, but X = W turns the jitter off.
  const Mask out = RunStyle(67, 41, 5, 41, 0);
  const Mask in = RunStyle(68, 41, 5, 41, 0);
  for (size_t y = 0; y < 5; ++y) {
    EXPECT_EQ(out[y], std::string(40, '#') + ".");
    EXPECT_EQ(in[y], std::string(20, '#') + "." + std::string(20, '#'));
  }
}

struct ShredStyle {
  int32_t style, XMode, YMode;
};

const std::vector<ShredStyle> kShredStyles = {
    {65, 1, 0},  {66, 2, 0},  {67, 3, 0},  {68, 4, 0},  {76, 0, 1},  {77, 0, 2},  {78, 0, 3},  {79, 0, 4},  {100, 1, 1},
    {101, 1, 2}, {102, 2, 1}, {103, 2, 2}, {104, 1, 3}, {105, 2, 3}, {106, 3, 1}, {107, 3, 2}, {108, 3, 3}, {109, 4, 4},
};

TEST(UnevenShreds, EveryStyleFollowsTheReplayedDraws) {
  // 40 × 30 and 30 × 40: strips of one pixel, jitter up to 4 and 3 pixels.
  uint32_t seed = 4242;
  for (const ShredStyle& s : kShredStyles) {
    for (const auto& [W, H] : {std::pair{40, 30}, std::pair{30, 40}}) {
      for (int32_t progress : {1, 37, 60, 99}) {
        const effects::ProgressExtent e = effects::ExtentFor(W, H, progress);
        // One-direction members pass 0 for the extent they do not use.
        const PourModel model(seed, s.XMode ? e.X : 0, s.YMode ? e.Y : 0, W, H, s.XMode, s.YMode);
        raster::RandSeed = seed;
        const Mask frame = RunStyle(s.style, W, H, e.X, e.Y, progress);
        EXPECT_EQ(frame, model.PictureMask()) << "style " << s.style << " " << W << "x" << H << " at " << progress;
        EXPECT_EQ(raster::RandSeed.load(), StateAfter(seed, model.Draws()))
            << "style " << s.style << " " << W << "x" << H << " at " << progress;
        seed = NextState(seed);
      }
    }
  }
}

TEST(UnevenShreds, DrawsOnePerStripOfEachDirectionInUse) {
  // 1200 × 850: 170 horizontal strips, 240 vertical ones.
  const effects::ProgressExtent e = effects::ExtentFor(1200, 850, 50);
  raster::Bitmap display(1200, 850), image(1200, 850);
  for (const auto& [style, draws] : {std::pair{65, 170}, std::pair{79, 240}, std::pair{108, 410}}) {
    raster::RandSeed = 99;
    effects::FindEffect(style)->Proc(display, image, 1200, 850, e.X, e.Y, 50);
    EXPECT_EQ(raster::RandSeed.load(), StateAfter(99, draws)) << "style " << style;
  }
}

TEST(UnevenShreds, TheFringeIsDrawnAnewInEveryFrame) {
  raster::RandSeed = 1;
  const Mask first = RunStyle(65, 40, 30, 20, 15);
  const Mask second = RunStyle(65, 40, 30, 20, 15);
  EXPECT_NE(first, second);
  // At X = 0 some strips still show a fringe at the right edge, none beyond N - 1 = 3 columns.
  const Mask start = RunStyle(65, 40, 30, 0, 0);
  int32_t fringed = 0;
  for (const std::string& row : start) {
    fringed += row.back() == '#';
    EXPECT_EQ(row.substr(0, 37), std::string(37, '.'));
  }
  EXPECT_GT(fringed, 0);
  EXPECT_LT(fringed, 30);
}

}  // namespace
