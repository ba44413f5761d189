#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/raster/muldiv.h"
#include "platform/raster/random.h"

namespace raster {
namespace {

TEST(MulDiv, RoundsHalvesAwayFromZero) {
  const struct {
    int32_t a, b, c, expected;
  } cases[] = {
      {10, 1, 3, 3},
      {5, 1, 2, 3},
      {-5, 1, 2, -3},
      {5, -1, 2, -3},
      {7, 1, -2, -4},
      {-7, -1, 2, 4},
      {1, 1, 0, -1},
      {1024, 3, 100, 31},
      {31, 768, 1024, 23},
      {1200, 99, 100, 1188},
      {1188, 850, 1200, 842},
      {800, 50, 100, 400},
      {2147483647, 2, 1, -1},  // result beyond 32 bits
      {2147483647, 2147483647, 2147483647, 2147483647},  // 64-bit intermediate
  };
  for (const auto& c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

TEST(Round, HalvesGoToEven) {
  EXPECT_EQ(Round(0.5), 0);
  EXPECT_EQ(Round(1.5), 2);
  EXPECT_EQ(Round(2.5), 2);
  EXPECT_EQ(Round(-2.5), -2);
  EXPECT_EQ(Round(-2.6), -3);
}

TEST(Random, FollowsTheLinearCongruentialRule) {
  RandSeed = 0;
  EXPECT_EQ(Random(100), 0);  // state 1: (1 * 100) >> 32
  EXPECT_EQ(RandSeed.load(), 1u);
  EXPECT_EQ(Random(100), int32_t((uint64_t{134775814u} * 100) >> 32));
  EXPECT_EQ(RandSeed.load(), 134775814u);
  const uint32_t before = RandSeed.load();
  EXPECT_EQ(Random(0), 0);  // still advances
  EXPECT_EQ(RandSeed.load(), NextSeed(before));
  RandSeed = 0xFFFFFFFFu;
  EXPECT_EQ(Random(1), 0);
  EXPECT_LT(Random(7), 7);
}

TEST(Random, ConcurrentDrawsLoseNoStep) {
  RandSeed = 42;
  constexpr int kDraws = 100000;
  std::thread a([] {
    for (int i = 0; i < kDraws; ++i) Random(10);
  });
  std::thread b([] {
    for (int i = 0; i < kDraws; ++i) Random(10);
  });
  a.join();
  b.join();
  uint32_t expected = 42;
  for (int i = 0; i < 2 * kDraws; ++i) expected = NextSeed(expected);
  EXPECT_EQ(RandSeed.load(), expected);
}

TEST(Random, PinnedGeneratorKeepsItsOwnState) {
  RandSeed = 99;
  TPinnedRandom pinned(0);
  EXPECT_EQ(pinned.Random(100), 0);
  EXPECT_EQ(pinned.state(), 1u);
  EXPECT_EQ(RandSeed.load(), 99u);
  TPinnedRandom again(0);
  pinned = TPinnedRandom(0);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(pinned.Random(1000), again.Random(1000));
}

TEST(Random, ClaimedDrawsAreTheOnesRandomWouldMake) {
  for (const int32_t count : {0, 1, 21, 500}) {
    RandSeed = 12345;
    std::vector<int32_t> oneByOne;
    for (int32_t i = 0; i < count; ++i) oneByOne.push_back(Random(count - i));
    const uint32_t after = RandSeed.load();
    RandSeed = 12345;
    TPinnedRandom claimed = ClaimDraws(count);
    EXPECT_EQ(RandSeed.load(), after) << count;
    for (int32_t i = 0; i < count; ++i) EXPECT_EQ(claimed.Random(count - i), oneByOne[size_t(i)]) << count;
  }
}

}  // namespace
}  // namespace raster
