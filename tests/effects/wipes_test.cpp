// What holds for every wipe, unroll and push style at the ends of the
// progress range, and the contract every frame keeps.
#include <gtest/gtest.h>

#include <vector>

#include "effects/frame_rule.h"
#include "wipes_support.h"

namespace {

using namespace wipes_test;

std::vector<int32_t> AllStyles() {
  std::vector<int32_t> styles;
  for (int32_t s = 1; s <= 57; ++s) styles.push_back(s);
  for (int32_t s = 129; s <= 136; ++s) styles.push_back(s);
  return styles;
}

bool IsBuildUp(int32_t style) { return style == 16 || style == 17 || style == 33 || style == 34; }

// Two halves that leave the middle column or row, or quarters that leave a cross.
bool SplitsTheFrame(int32_t style) {
  return style == 12 || style == 13 || style == 29 || style == 30 || (style >= 54 && style <= 57);
}

TEST(WipeExtremes, NoExtentLeavesTheOldPicture) {
  for (const int32_t style : AllStyles()) {
    if (IsBuildUp(style)) continue;  // these stretch a strip over the whole frame
    DrawnFrame frame(9, 5);
    frame.Draw(style, 0, 0);
    EXPECT_TRUE(FrameIsWholePicture(frame.display, Pic::Old)) << "style " << style;
  }
}

TEST(WipeExtremes, FullExtentShowsTheWholeNewPicture) {
  for (const int32_t style : AllStyles()) {
    for (const auto& [W, H] : {std::pair{8, 6}, {6, 8}, {7, 5}, {5, 7}}) {
      if (SplitsTheFrame(style) && (W % 2 == 1 || H % 2 == 1)) continue;  // see their own tests
      DrawnFrame frame(W, H);
      frame.Draw(style, W, H);
      EXPECT_TRUE(FrameIsWholePicture(frame.display, Pic::New)) << "style " << style << " on " << W << "x" << H;
    }
  }
}

// Through the view's frame rule on small odd sizes, as the render tool draws:
// at progress 1 both extents are 0; every frame leaves Display unclipped and
// Image untouched.
TEST(WipeContract, SmallOddPicturesAtLowMiddleAndHighProgress) {
  for (const int32_t style : AllStyles()) {
    for (const auto& [W, H] : {std::pair{37, 23}, {23, 37}}) {
      for (const int32_t progress : {1, 37, 99}) {
        DrawnFrame frame(W, H);
        effects::DrawEffectFrame(frame.display, frame.image, W, H, style, progress);
        SCOPED_TRACE(::testing::Message() << "style " << style << " on " << W << "x" << H << " at " << progress);
        EXPECT_EQ(frame.display.ClipRegion(), nullptr);
        EXPECT_TRUE(FrameIsWholePicture(frame.image, Pic::New));
        if (progress == 1 && !IsBuildUp(style)) {
          EXPECT_TRUE(FrameIsWholePicture(frame.display, Pic::Old));
        }
      }
    }
  }
}

}  // namespace
