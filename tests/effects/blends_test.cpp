// Fade, Channel Mix, Dissolve, the random bars, Pixelate, and the
// transparent merge under them.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

#include "effects/pixel_ops.h"
#include "pixel_family_support.h"
#include "platform/raster/random.h"

namespace {

using namespace pixel_family_test;

// new = old + floor((src - old) * weight / 256), by plain integer division.
uint8_t BlendByte(int old, int src, int weight) {
  const int product = (src - old) * weight;
  const int floored = product >= 0 ? product / 256 : -((-product + 255) / 256);
  return uint8_t(old + floored);
}

uint32_t BlendPixel(uint32_t old, uint32_t src, const int (&weights)[3]) {
  uint32_t out = old & 0xFF000000u;
  for (int c = 0; c < 3; ++c) out |= uint32_t(BlendByte(Channel(old, c), Channel(src, c), weights[c])) << (8 * c);
  return out;
}

bool SameBits(const raster::Bitmap& a, const raster::Bitmap& b) {
  return a.PixelCount() == b.PixelCount() && std::memcmp(a.Bits(), b.Bits(), a.PixelCount() * 4) == 0;
}

TEST(MergeTransparent, BlendsTheBlockExactlyAndLeavesTheRestAndByteThree) {
  struct Block {
    int32_t x, y, w, h;
  };
  for (const Block block : {Block{0, 0, 37, 23}, Block{3, 2, 31, 19}, Block{0, 5, 37, 1}, Block{36, 0, 1, 23}}) {
    for (int32_t transparency = 0; transparency <= 100; transparency += 7) {
      raster::Bitmap dst(37, 23), src(37, 23), before(37, 23);
      FillNoise(dst, uint32_t(transparency) * 3 + 1);
      FillNoise(src, uint32_t(transparency) * 3 + 2);
      before.Assign(dst);
      effects::MergeTransparent(dst, src, transparency, block.x, block.y, block.w, block.h);
      const int weight = (256 * transparency * 2 + 100) / 200;  // MulDiv(256, t, 100) for t >= 0
      const int weights[3] = {weight, weight, weight};
      for (int32_t y = 0; y < 23; ++y) {
        for (int32_t x = 0; x < 37; ++x) {
          const bool inside = x >= block.x && x < block.x + block.w && y >= block.y && y < block.y + block.h;
          const uint32_t expected =
              inside ? BlendPixel(before.Pixel(x, y), src.Pixel(x, y), weights) : before.Pixel(x, y);
          ASSERT_EQ(expected, dst.Pixel(x, y)) << transparency << " at " << x << "," << y;
        }
      }
    }
  }
}

// One pixel per case, the same value in blue, green and red.
TEST(Fade, RoundsTowardMinusInfinity) {
  struct Case {
    int32_t progress;
    uint8_t oldValue, newValue, expected;
  };
  const std::vector<Case> cases = {
      {50, 0, 255, 127}, {50, 255, 0, 127}, {50, 10, 11, 10}, {50, 11, 10, 10},  // weight 128
      {1, 0, 85, 0},     {1, 0, 86, 1},     {1, 100, 99, 99}, {1, 255, 254, 254},  // weight 3
      {1, 7, 7, 7},      {99, 0, 255, 252}, {99, 255, 0, 2}};  // weight 253
  auto t = std::make_unique<Transition>(int32_t(cases.size()), 1);
  for (size_t i = 0; i < cases.size(); ++i) {
    t->oldPicture.Bits()[i] = 0x11000000u | cases[i].oldValue * 0x010101u;
    t->newPicture.Bits()[i] = 0xEE000000u | cases[i].newValue * 0x010101u;
  }
  for (const int32_t progress : {1, 50, 99}) {
    const raster::Bitmap& frame = t->Frame(119, progress);
    for (size_t i = 0; i < cases.size(); ++i) {
      if (cases[i].progress != progress) continue;
      EXPECT_EQ(0x11000000u | cases[i].expected * 0x010101u, frame.Bits()[i])
          << "progress " << progress << ": " << int(cases[i].oldValue) << " -> " << int(cases[i].newValue);
    }
  }
}

TEST(Fade, MatchesThePerByteBlendOnNoise) {
  Transition t(37, 23);
  FillNoise(t.oldPicture, 11);
  FillNoise(t.newPicture, 12);
  for (const int32_t progress : {1, 2, 37, 50, 98, 99}) {
    const int weight = (256 * progress * 2 + 100) / 200;
    const int weights[3] = {weight, weight, weight};
    const raster::Bitmap& frame = t.Frame(119, progress);
    for (size_t i = 0; i < frame.PixelCount(); ++i) {
      ASSERT_EQ(BlendPixel(t.oldPicture.Bits()[i], t.newPicture.Bits()[i], weights), frame.Bits()[i]) << progress;
    }
  }
}

// Picture seeds and the channels they choose (C1, C2, C3), worked out from
// the generator by hand: seed 0 draws C2 twice, seed 8973 four times.
struct ChannelOrder {
  uint32_t seed;
  int c1, c2, c3;
};
const ChannelOrder kChannelOrders[] = {{0, 0, 2, 1}, {997, 0, 1, 2}, {2991, 2, 1, 0}, {8973, 1, 0, 2}};

TEST(ChannelMix, FadesOneChannelPerThirdInTheSeedsOrder) {
  struct Step {
    int32_t progress;
    int w1, w2, w3;  // weights of C1, C2, C3
  };
  const Step steps[] = {{1, 8, 0, 0},      {20, 155, 0, 0},   {33, 256, 0, 0},     {34, 256, 8, 0},
                        {50, 256, 132, 0}, {66, 256, 256, 0}, {80, 256, 256, 109}, {99, 256, 256, 256}};
  for (const ChannelOrder order : kChannelOrders) {
    Transition t(23, 7);
    FillNoise(t.oldPicture, 5);
    FillNoise(t.newPicture, 6);
    t.newPicture.SetHandle(order.seed);
    for (const Step step : steps) {
      int weights[3];
      weights[order.c1] = step.w1;
      weights[order.c2] = step.w2;
      weights[order.c3] = step.w3;
      raster::RandSeed = 0x5EED5EEDu;
      const raster::Bitmap& frame = t.Frame(172, step.progress);
      EXPECT_EQ(0x5EED5EEDu, raster::RandSeed.load());
      for (size_t i = 0; i < frame.PixelCount(); ++i) {
        ASSERT_EQ(BlendPixel(t.oldPicture.Bits()[i], t.newPicture.Bits()[i], weights), frame.Bits()[i])
            << "seed " << order.seed << " progress " << step.progress;
      }
    }
  }
}

// The straightforward dissolve: one pinned draw per pixel in memory order.
void ReferenceDissolve(raster::Bitmap& display, const raster::Bitmap& image, int32_t progress) {
  raster::TPinnedRandom pinned(image.Handle());
  for (size_t i = 0; i < display.PixelCount(); ++i) {
    if (pinned.Random(100) < progress) display.Bits()[i] = image.Bits()[i];
  }
}

TEST(Dissolve, DrawsOnePinnedNumberPerPixelInMemoryOrder) {
  struct Size {
    int32_t w, h;
  };
  for (const Size size : {Size{1, 1}, Size{6, 1}, Size{7, 3}, Size{8, 8}, Size{37, 23}, Size{23, 37}}) {
    for (const uint32_t seed : {0u, 1u, 0x2A01u, 0xFFFFFFFFu}) {
      Transition t(size.w, size.h);
      FillNoise(t.oldPicture, seed + 1);
      FillNoise(t.newPicture, seed + 2);
      t.newPicture.SetHandle(seed);
      for (const int32_t progress : {1, 2, 37, 50, 98, 99}) {
        raster::Bitmap expected;
        expected.Assign(t.oldPicture);
        ReferenceDissolve(expected, t.newPicture, progress);
        raster::RandSeed = 12345u;
        EXPECT_TRUE(SameBits(expected, t.Frame(169, progress)))
            << size.w << "x" << size.h << " seed " << seed << " progress " << progress;
        EXPECT_EQ(12345u, raster::RandSeed.load());
      }
    }
  }
}

// Frames at increasing progress: each shows everything the previous one did.
// `unit` maps a pixel index to the unit (pixel, row or column) that switches.
void ExpectMonotoneReveal(int32_t style, int32_t w, int32_t h, uint32_t seed) {
  auto t = PositionTransition(w, h);
  t->newPicture.SetHandle(seed);
  std::vector<bool> shown(size_t(w) * size_t(h), false);
  for (int32_t progress = 1; progress <= 99; ++progress) {
    const raster::Bitmap& frame = t->Frame(style, progress);
    size_t count = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
      const bool now = IsNew(frame.Bits()[i]);
      ASSERT_FALSE(shown[i] && !now) << "style " << style << " hid pixel " << i << " at " << progress;
      shown[i] = now;
      count += now;
    }
    // Roughly `progress` percent is revealed.
    EXPECT_NEAR(double(count) / double(shown.size()), progress / 100.0, style == 169 ? 0.03 : 0.12)
        << "style " << style << " at " << progress;
  }
}

TEST(Dissolve, RevealGrowsMonotonically) { ExpectMonotoneReveal(169, 120, 90, 0x2A77u); }

TEST(RandomBars, RevealGrowsMonotonically) {
  ExpectMonotoneReveal(170, 50, 400, 0x1234u);
  ExpectMonotoneReveal(171, 400, 50, 0x4321u);
}

// Bars switch whole rows (bottom row decided by the first draw) or whole
// columns (left column first); the shared generator is left alone.
TEST(RandomBars, SwitchWholeRowsOrColumnsInDrawOrder) {
  for (const uint32_t seed : {3u, 0x2A01u, 0xCAFEu}) {
    for (const int32_t progress : {1, 37, 50, 99}) {
      auto t = PositionTransition(31, 17);
      t->newPicture.SetHandle(seed);
      raster::TPinnedRandom draws(seed);
      std::vector<bool> expected;
      for (int i = 0; i < 31; ++i) expected.push_back(draws.Random(100) < progress);

      raster::RandSeed = 777u;
      const raster::Bitmap& rows = t->Frame(170, progress);
      for (int32_t y = 0; y < 17; ++y) {
        const bool rowNew = expected[size_t(16 - y)];  // bottom row (y = 16) is drawn for first
        for (int32_t x = 0; x < 31; ++x) ASSERT_EQ(rowNew, IsNew(rows.Pixel(x, y))) << seed << " row " << y;
      }
      const raster::Bitmap& columns = t->Frame(171, progress);
      for (int32_t y = 0; y < 17; ++y) {
        for (int32_t x = 0; x < 31; ++x)
          ASSERT_EQ(expected[size_t(x)], IsNew(columns.Pixel(x, y))) << seed << " col " << x;
      }
      EXPECT_EQ(777u, raster::RandSeed.load());
    }
  }
}

// The source block magnified over the whole picture; with both pictures alike
// (so the blend changes nothing) each frame pixel names the pixel it copies.
std::set<std::pair<int32_t, int32_t>> SourcesUsed(const raster::Bitmap& frame) {
  std::set<std::pair<int32_t, int32_t>> used;
  for (size_t i = 0; i < frame.PixelCount(); ++i) used.insert({SourceX(frame.Bits()[i]), SourceY(frame.Bits()[i])});
  return used;
}

TEST(Pixelate, HalfwayMagnifiesTheCentreOfTheSourceBlock) {
  // 1200 × 850: margins 588 and 417, so the 24 × 16 block at (588, 417) is
  // spread over 3552 × 2518 from (-1176, -834), 148 columns and about 157
  // rows per source pixel; the frame sees block columns 7..16 and rows 5..10.
  Transition t(1200, 850);
  FillPositions(t.oldPicture, false);
  FillPositions(t.newPicture, false);
  std::set<std::pair<int32_t, int32_t>> expected;
  for (int32_t y = 417 + 5; y <= 417 + 10; ++y) {
    for (int32_t x = 588 + 7; x <= 588 + 16; ++x) expected.insert({x, y});
  }
  EXPECT_EQ(expected, SourcesUsed(t.Frame(168, 50)));
  EXPECT_EQ(OldPixelAt(588 + 12, 417 + 8), t.display.Pixel(600, 425));  // centre stays centred

  // 100 × 100: margins 49 and the block held at its 2 × 2 minimum, spread
  // over 296 × 296 from (-98, -98): each source pixel fills a quarter.
  Transition small(100, 100);
  FillPositions(small.oldPicture, false);
  FillPositions(small.newPicture, false);
  const raster::Bitmap& frame = small.Frame(168, 50);
  for (int32_t y = 0; y < 100; ++y) {
    for (int32_t x = 0; x < 100; ++x) ASSERT_EQ(OldPixelAt(49 + (x >= 50), 49 + (y >= 50)), frame.Pixel(x, y));
  }
}

// On 3 × 3 at 50 the margins are 2 and the block is held at 2 × 2, reaching
// past the picture: only its pixel (2, 2) exists, so only it is blended. The
// magnified copy (11 × 11 from (-4, -4)) shows it at the top-left; pixels
// whose source lies outside the picture keep what they hold.
TEST(Pixelate, BlockPastTheEdgeOfATinyPicture) {
  Transition t(3, 3);
  t.oldPicture.Fill(0x44000000u);
  t.newPicture.Fill(0x99FFFFFFu);
  const uint32_t blended = 0x447F7F7Fu, old = 0x44000000u;
  const raster::Bitmap& frame = t.Frame(168, 50);
  EXPECT_EQ(blended, frame.Pixel(2, 2));
  EXPECT_EQ(blended, frame.Pixel(0, 0));
  for (int32_t y = 0; y < 3; ++y) {
    for (int32_t x = 0; x < 3; ++x) {
      EXPECT_TRUE(frame.Pixel(x, y) == blended || frame.Pixel(x, y) == old) << x << "," << y;
    }
  }
  EXPECT_EQ(old, frame.Pixel(2, 0));
  EXPECT_EQ(old, frame.Pixel(0, 2));
}

TEST(Pixelate, CrossFadesOnlyBetween41And59) {
  auto t = PositionTransition(120, 80);
  for (const int32_t progress : {1, 25, 40}) {
    const raster::Bitmap& frame = t->Frame(168, progress);
    for (size_t i = 0; i < frame.PixelCount(); ++i) ASSERT_FALSE(IsNew(frame.Bits()[i])) << progress;
  }
  for (const int32_t progress : {60, 75, 99}) {
    const raster::Bitmap& frame = t->Frame(168, progress);
    for (size_t i = 0; i < frame.PixelCount(); ++i) ASSERT_TRUE(IsNew(frame.Bits()[i])) << progress;
  }
  // Old 0 and new 255: the whole frame shows the blend weight, 5 % steps.
  Transition flat(120, 80);
  flat.oldPicture.Fill(0x44000000u);
  flat.newPicture.Fill(0x99FFFFFFu);
  struct Case {
    int32_t progress;
    uint8_t value;
  };
  for (const Case c : {Case{41, 12}, Case{50, 127}, Case{59, 242}}) {  // weights 13, 128, 243
    const raster::Bitmap& frame = flat.Frame(168, c.progress);
    for (size_t i = 0; i < frame.PixelCount(); ++i) ASSERT_EQ(0x44000000u | c.value * 0x010101u, frame.Bits()[i]);
  }
}

}  // namespace
