// Every style hands the thread back with clean upper vector halves: a style
// that leaves them dirty slows down the SSE code of every frame after it (the
// masked column copy ran four times slower behind a scaled copy).
#include <gtest/gtest.h>

#include "effects/catalogue.h"
#include "effects/frame_rule.h"
#include "platform/raster/bitmap.h"
#include "platform/upper_vector_state.h"

namespace {

#ifdef VANTREL_CAN_READ_VECTOR_STATE
TEST(VectorState, EveryStyleLeavesUpperHalvesClean) {
  if (!vector_state::CanAskStateInUse()) GTEST_SKIP() << "the processor does not report the register state in use";
  const int32_t W = 203, H = 97;
  raster::Bitmap display(W, H), picture(W, H);
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x) picture.SetPixel(x, y, uint32_t(x * 7919 + y * 104729));
  for (int32_t style = 1; style <= effects::kEffectCount; ++style) {
    for (const int32_t progress : {13, 50, 87}) {
      effects::DrawEffectFrame(display, picture, W, H, style, progress);
      EXPECT_FALSE(vector_state::UpperHalvesInUse()) << "style " << style << " at " << progress;
    }
  }
}
#endif

}  // namespace
