// Every catalogue style, on odd and tiny sizes, through the view's frame rule:
// the new picture stays untouched, no clip is left behind, only the styles the
// catalogue marks free-random move the shared generator, and all others draw
// the same frame for the same arguments.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "effects/catalogue.h"
#include "pixel_family_support.h"
#include "platform/raster/random.h"

namespace {

using namespace pixel_family_test;

struct SizeAndProgress {
  int32_t w, h;
  std::vector<int32_t> progress;
};

const std::vector<SizeAndProgress> kCases = {
    {1, 1, {1, 2, 37, 50, 98, 99}},   {2, 3, {1, 2, 37, 50, 98, 99}}, {37, 23, {1, 2, 37, 50, 98, 99}},
    {23, 37, {1, 2, 37, 50, 98, 99}}, {640, 480, {1, 50, 99}},
};

bool SameBits(const raster::Bitmap& a, const raster::Bitmap& b) {
  return a.PixelCount() == b.PixelCount() && std::memcmp(a.Bits(), b.Bits(), a.PixelCount() * 4) == 0;
}

class EveryStyle : public ::testing::TestWithParam<int32_t> {};

TEST_P(EveryStyle, DrawsSafelyOnOddSizes) {
  const int32_t style = GetParam();
  ASSERT_NE(nullptr, effects::VantrelEffects[style].Proc) << "style " << style << " has no procedure";
  const bool freeRandom = effects::VantrelEffects[style].RandomPattern == effects::TRandomPattern::Free;
  bool generatorMoved = false;
  for (const SizeAndProgress& c : kCases) {
    Transition t(c.w, c.h);
    FillNoise(t.oldPicture, uint32_t(c.w * 1000 + c.h));
    FillNoise(t.newPicture, uint32_t(c.h * 1000 + c.w));
    t.newPicture.SetHandle(0x2A00u + uint32_t(style));
    raster::Bitmap imageBefore, firstFrame;
    imageBefore.Assign(t.newPicture);
    for (const int32_t progress : c.progress) {
      const std::string where = std::to_string(c.w) + "x" + std::to_string(c.h) + " at " + std::to_string(progress);
      raster::RandSeed = 0x600DF00Du;
      firstFrame.Assign(t.Frame(style, progress));
      EXPECT_TRUE(SameBits(imageBefore, t.newPicture)) << where << ": Image changed";
      EXPECT_EQ(nullptr, t.display.ClipRegion()) << where << ": clip left on Display";
      if (freeRandom) {
        generatorMoved = generatorMoved || raster::RandSeed.load() != 0x600DF00Du;
      } else {
        EXPECT_EQ(0x600DF00Du, raster::RandSeed.load()) << where << ": RandSeed moved";
        EXPECT_TRUE(SameBits(firstFrame, t.Frame(style, progress))) << where << ": second frame differs";
      }
    }
  }
  if (freeRandom) {
    EXPECT_TRUE(generatorMoved) << "marked free-random but never drew from the shared generator";
  }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, EveryStyle, ::testing::Range(1, effects::kEffectCount + 1),
                         [](const ::testing::TestParamInfo<int32_t>& row) {
                           return "Style" + std::to_string(row.param);
                         });

}  // namespace
