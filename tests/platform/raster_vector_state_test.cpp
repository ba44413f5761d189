#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/raster/drawing.h"
#include "platform/raster/region.h"
#include "upper_vector_state.h"

namespace raster {
namespace {

#ifdef VANTREL_CAN_READ_VECTOR_STATE
using vector_state::CanAskStateInUse;
using vector_state::UpperHalvesInUse;

// Every drawing call must hand the thread back with clean upper vector
// halves, whatever path its vector code ends on.
TEST(VectorState, ScaledAndPlainCopiesLeaveUpperHalvesClean) {
  if (!CanAskStateInUse()) GTEST_SKIP() << "the processor does not report the register state in use";
  Bitmap src(301, 40), dst(211, 30);
  for (int32_t y = 0; y < src.Height(); ++y)
    for (int32_t x = 0; x < src.Width(); ++x) src.SetPixel(x, y, uint32_t(x * 131 + y));
  struct Case {
    const char* what;
    int32_t wd, hd, ws, hs;
  };
  // Shrinking and enlarging, forwards and mirrored; widths that leave a
  // scalar tail after the eight-pixel blocks.
  // Each unclipped (whole rows planned once) and through a clip (each span
  // on its own).
  const Case cases[] = {{"shrink", 203, 29, 301, 40}, {"enlarge", 211, 30, 100, 12}, {"mirror", -203, 29, 301, 40}};
  const Region clip = Region::FromRect({3, 2, 190, 25});
  for (const Region* region : {static_cast<const Region*>(nullptr), &clip}) {
    const ScopedClip clipped(dst, region);
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (region ? ", clipped" : ""));
      StretchBlt(dst, c.wd < 0 ? 202 : 0, 0, c.wd, c.hd, src, 0, 0, c.ws, c.hs);
      EXPECT_FALSE(UpperHalvesInUse());
    }
  }
  BitBlt(dst, 0, 0, 211, 30, src, 5, 5);
  EXPECT_FALSE(UpperHalvesInUse());
}
#endif

}  // namespace
}  // namespace raster
