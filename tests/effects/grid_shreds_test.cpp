// Grid shreds and random squares: the cell grids and shapes against frames
// worked out pixel by pixel, the pinned pattern of the random squares (same
// frame for the same seed, monotone in the progress, shared generator left
// alone), and full coverage at the sizes where the grid fills the picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/raster/random.h"
#include "polygon_mask_support.h"

namespace {

using namespace polygon_mask_test;

// Cell centres, columns outer: x = (2i + 1) cw while 2i cw < W, y likewise
// while 2j ch < rowLimit.
std::vector<std::pair<int32_t, int32_t>> Cells(int32_t cw, int32_t ch, int32_t W, int32_t rowLimit) {
  std::vector<std::pair<int32_t, int32_t>> cells;
  for (int32_t i = 0; 2 * i * cw < W; ++i)
    for (int32_t j = 0; 2 * j * ch < rowLimit; ++j) cells.push_back({(2 * i + 1) * cw, (2 * j + 1) * ch});
  return cells;
}

Shape Triangles(int32_t W, int32_t H, int32_t P) {
  const int32_t sW = W / 10 + 1, sH = H / 10 + 1, dW = raster::MulDiv(sW, P, 50), dH = raster::MulDiv(sH, P, 50);
  std::vector<Vertices> v;
  for (const auto& [x, y] : Cells(sW, sH, W, H + sH)) v.push_back({x - dW, y - dH, x, y + dH, x + dW, y - dH});
  return UnionOf(v);
}

Shape Diamonds(int32_t W, int32_t H, int32_t P) {
  const int32_t S = std::min(W, H) / 10 + 1, D = raster::MulDiv(S, P, 50);
  std::vector<Vertices> v;
  for (const auto& [x, y] : Cells(S, S, W, H)) v.push_back({x - D, y, x, y - D, x + D, y, x, y + D});
  return UnionOf(v);
}

TEST(GridShreds, TrianglesAndDiamondsMatchTheirCells) {
  for (const auto& [W, H] : {std::pair{37, 23}, {23, 37}, {9, 7}, {64, 48}}) {
    for (const int32_t P : {1, 20, 50, 77, 99}) {
      EXPECT_EQ(MaskOf(Triangles(W, H, P), W, H), FrameAt(118, W, H, P)) << W << "x" << H << " at " << P;
      EXPECT_EQ(MaskOf(Diamonds(W, H, P), W, H), FrameAt(164, W, H, P)) << W << "x" << H << " at " << P;
    }
  }
}

TEST(GridShreds, TrianglesFillTheLastBandFromTheExtraRow) {
  // 30 x 24 at 70: sW = 4, sH = 3, dW = 6, dH = 4. Centre rows 3 .. 21 lie
  // inside; the extra row at 27 (2 x 4 x 3 = 24 < 24 + 3) reaches up to row 23.
  const Mask frame = FrameAt(118, 30, 24, 70);
  Shape withoutExtraRow;
  for (const auto& [x, y] : Cells(4, 3, 30, 24))
    withoutExtraRow.parts.push_back({Op::Union, {x - 6, y - 4, x, y + 4, x + 6, y - 4}});
  EXPECT_NE(MaskOf(withoutExtraRow, 30, 24), frame);
  EXPECT_EQ(MaskOf(Triangles(30, 24, 70), 30, 24), frame);
}

TEST(GridShreds, RectangularShredSquares) {
  // 20 x 20 at 50: S = 3, D = 2, centres 3, 9, 15, 21 on both axes.
  auto near = [](int32_t v) { return v % 6 >= 1 && v % 6 <= 4; };  // [c - 2, c + 2) for c = 6k + 3
  Mask expected = UniformMask(20, 20, '.');
  for (int32_t y = 0; y < 20; ++y)
    for (int32_t x = 0; x < 20; ++x)
      if (near(x) && near(y)) expected[size_t(y)][size_t(x)] = '#';
  EXPECT_EQ(expected, FrameAt(143, 20, 20, 50));
  // 200 x 150: S = 16; D = 0 at 1 (nothing), D = 16 at 99 (the squares tile the picture).
  EXPECT_EQ(UniformMask(200, 150, '.'), FrameAt(143, 200, 150, 1));
  EXPECT_EQ(UniformMask(200, 150, '#'), FrameAt(143, 200, 150, 99));
}

TEST(GridShreds, CircularShredClosesThePictureBeforeTheEnd) {
  EXPECT_EQ(UniformMask(200, 150, '#'), FrameAt(153, 200, 150, 95));
  const Mask half = FrameAt(153, 200, 150, 50);  // radius 12 about (16, 16), (48, 16), ...
  EXPECT_EQ('#', half[16][16]);
  EXPECT_EQ('#', half[16][27]);
  EXPECT_EQ('.', half[16][29]);
  EXPECT_EQ('.', half[32][32]);
}

TEST(GridShreds, SmallPicturesUseTwoPixelCells) {
  // 7 x 5: S = 1, D = 1 at 99: every pixel is in some 2 x 2 square.
  EXPECT_EQ(UniformMask(7, 5, '#'), FrameAt(143, 7, 5, 99));
  EXPECT_EQ(UniformMask(7, 5, '.'), FrameAt(143, 7, 5, 49));
}

// Random squares of a new picture whose handle (picture seed) is `seed`.
Mask RandomSquares(uint32_t seed, int32_t W, int32_t H, int32_t P) { return FrameAt(128, W, H, P, seed); }

// The cells a picture seed shows at P: one draw per cell in grid order.
Mask ExpectedSquares(uint32_t seed, int32_t W, int32_t H, int32_t P) {
  const int32_t S = std::min(W, H) / 50 + 1;
  Mask m = UniformMask(W, H, '.');
  uint32_t state = seed;
  for (const auto& [x, y] : Cells(S, S, W, H)) {
    state = NextState(state);
    if (DrawOf(state, 100) >= P) continue;
    for (int32_t v = std::max(y - S, 0); v < std::min(y + S, H); ++v)
      for (int32_t u = std::max(x - S, 0); u < std::min(x + S, W); ++u) m[size_t(v)][size_t(u)] = '#';
  }
  return m;
}

TEST(RandomSquares, ReplaysThePictureSeedAndLeavesTheSharedGeneratorAlone) {
  for (const auto& [W, H] : {std::pair{37, 23}, {23, 37}, {260, 120}}) {
    for (const int32_t P : {1, 2, 37, 50, 99}) {
      raster::RandSeed = 0xABCDEF01u;
      const Mask frame = RandomSquares(0x51u, W, H, P);
      EXPECT_EQ(0xABCDEF01u, raster::RandSeed.load());
      EXPECT_EQ(ExpectedSquares(0x51u, W, H, P), frame) << W << "x" << H << " at " << P;
      EXPECT_EQ(frame, RandomSquares(0x51u, W, H, P));
    }
  }
}

TEST(RandomSquares, RevealGrowsMonotonicallyWithProgress) {
  for (const auto& [W, H] : {std::pair{37, 23}, {23, 37}}) {
    Mask previous = UniformMask(W, H, '.');
    for (int32_t P = 1; P <= 99; ++P) {
      const Mask frame = RandomSquares(0x7F3u, W, H, P);
      for (int32_t y = 0; y < H; ++y)
        for (int32_t x = 0; x < W; ++x)
          if (previous[size_t(y)][size_t(x)] == '#') {
            ASSERT_EQ('#', frame[size_t(y)][size_t(x)]) << "at " << P;
          }
      previous = frame;
    }
    EXPECT_NE(UniformMask(W, H, '.'), previous);
  }
}

TEST(RandomSquares, NoCellShownMeansTheOldPictureNotTheNewOne) {
  // A seed whose 19 x 12 cells on 37 x 23 all draw 1 or more: at 1 the list is
  // empty, which gives no region and must leave the old picture.
  uint32_t seed = 1;
  while (ExpectedSquares(seed, 37, 23, 1) != UniformMask(37, 23, '.')) ++seed;
  EXPECT_EQ(UniformMask(37, 23, '.'), RandomSquares(seed, 37, 23, 1));
  // And one whose cells include a 0: exactly those cells show.
  uint32_t other = 1;
  while (ExpectedSquares(other, 37, 23, 1) == UniformMask(37, 23, '.')) ++other;
  EXPECT_EQ(ExpectedSquares(other, 37, 23, 1), RandomSquares(other, 37, 23, 1));
}

}  // namespace
