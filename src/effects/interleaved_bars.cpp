// Interleaved bars: every other bar fills in during the first half of the
// transition and the rest during the second half (the doubled extent passes
// the picture size half-way); the mode-3 members fill both sets at once from
// opposite sides with the plain extent.
#include "effects/effect_procs.h"
#include "effects/frame_ops.h"
#include "effects/region_makers.h"

namespace effects {

namespace {

void RevealBars(Bitmap& Display, const Bitmap& Image, int32_t W, int32_t H, int32_t barX, int32_t barY,
                int32_t XMode, int32_t YMode) {
  ClipAndCopy(Display, Image, W, H, CreateBarRgn(barX, barY, W, H, XMode, YMode));
}

}  // namespace

// Row bars moving across the width.
void Effect060(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 2 * X, 0, 1, 0); }
void Effect061(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 2 * X, 0, 2, 0); }
void Effect062(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 2 * X, 0, 4, 0); }
void Effect063(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 2 * X, 0, 5, 0); }
void Effect064(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, X, 0, 3, 0); }

// Column bars moving across the height.
void Effect071(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 0, 2 * Y, 0, 1); }
void Effect072(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 0, 2 * Y, 0, 2); }
void Effect073(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 0, 2 * Y, 0, 4); }
void Effect074(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 0, 2 * Y, 0, 5); }
void Effect075(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 0, Y, 0, 3); }

}  // namespace effects
