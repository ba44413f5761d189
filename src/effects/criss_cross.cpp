// Criss-cross reveals: crossing row and column bars from the bar region. The
// doubled extents put the even bars in the first half of the transition and
// the odd bars in the second; single extents with mode 3 fill both at once.
#include "effects/effect_procs.h"
#include "effects/frame_ops.h"
#include "effects/region_makers.h"

namespace effects {

namespace {

void RevealBars(Bitmap& Display, const Bitmap& Image, int32_t W, int32_t H, int32_t X, int32_t Y, int32_t XMode,
                int32_t YMode) {
  ClipAndCopy(Display, Image, W, H, CreateBarRgn(X, Y, W, H, XMode, YMode));
}

}  // namespace

void Effect086(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 2 * X, 2 * Y, 1, 1); }
void Effect087(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 2 * X, 2 * Y, 1, 2); }
void Effect088(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 2 * X, 2 * Y, 2, 1); }
void Effect089(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 2 * X, 2 * Y, 2, 2); }
void Effect090(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 2 * X, 2 * Y, 4, 4); }
void Effect091(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 2 * X, 2 * Y, 4, 5); }
void Effect092(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 2 * X, 2 * Y, 5, 4); }
void Effect093(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 2 * X, 2 * Y, 5, 5); }
void Effect094(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, X, Y, 1, 3); }
void Effect095(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, X, Y, 2, 3); }
void Effect096(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, X, Y, 3, 1); }
void Effect097(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, X, Y, 3, 2); }
void Effect098(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, X, Y, 3, 3); }

// Only where the bars from the bottom right cross those from the top left.
void Effect099(EFFECT_PARAMS) {
  RegionPtr region = CreateBarRgn(2 * X, 2 * Y, W, H, 1, 1);
  {
    const RegionPtr other = CreateBarRgn(2 * X, 2 * Y, W, H, 2, 2);
    raster::CombineRgn(region.get(), region.get(), other.get(), raster::RGN_AND);
  }
  ClipAndCopy(Display, Image, W, H, std::move(region));
}

}  // namespace effects
