#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "effects/catalogue.h"
#include "export/show_timeline.h"
#include "platform/raster/random.h"

namespace video_export {
namespace {

std::vector<int32_t> Styles(StyleOrder order, int32_t style, uint32_t seed, int count) {
  ExportSettings settings;
  settings.order = order;
  settings.style = style;
  settings.seed = seed;
  StylePicker picker(settings);
  std::vector<int32_t> styles;
  for (int i = 0; i < count; ++i) styles.push_back(picker.Next());
  return styles;
}

TEST(StylePicker, CycleGoesThroughTheCatalogueAndStartsAgain) {
  const std::vector<int32_t> styles = Styles(StyleOrder::Cycle, 9, 1, 2 * effects::kEffectCount + 2);
  for (size_t i = 0; i < styles.size(); ++i) {
    ASSERT_EQ(styles[i], 1 + int32_t(i) % effects::kEffectCount) << "change " << i;
  }
}

TEST(StylePicker, FixedKeepsItsStyleIncludingTheCut) {
  for (int32_t style : {0, 1, 52, effects::kEffectCount}) {
    EXPECT_EQ(Styles(StyleOrder::Fixed, style, 1, 5), std::vector<int32_t>(5, style));
  }
}

// The same seed gives the same video; another seed another order. Drawing
// leaves the program's shared generator alone, so an export and the show in
// the window never shift each other's sequence.
TEST(StylePicker, RandomOrderReplaysItsSeedAndLeavesTheSharedGeneratorAlone) {
  raster::RandSeed = 12345;
  const std::vector<int32_t> first = Styles(StyleOrder::Random, 1, 7, 400);
  EXPECT_EQ(raster::RandSeed.load(), 12345u);
  EXPECT_EQ(Styles(StyleOrder::Random, 1, 7, 400), first);
  EXPECT_NE(Styles(StyleOrder::Random, 1, 8, 400), first);
  const std::set<int32_t> drawn(first.begin(), first.end());
  EXPECT_GE(*drawn.begin(), 1);
  EXPECT_LE(*drawn.rbegin(), effects::kEffectCount);
  EXPECT_GT(drawn.size(), 100u) << "400 draws reach most of the catalogue";
}

}  // namespace
}  // namespace video_export
