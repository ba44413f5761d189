// Criss-cross reveals: crossing row and column bars from the bar region. The
// doubled extents put the even bars in the first half of the transition and
// the odd bars in the second; single extents with BothWays fill both at once.
#include "effects/bar_reveal.h"
#include "effects/effect_procs.h"

namespace effects {

using namespace BarMode;  // the rows below name their modes

void Effect086(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 2 * X, 2 * Y, FromEnd, FromEnd); }
void Effect087(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 2 * X, 2 * Y, FromEnd, FromStart); }
void Effect088(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 2 * X, 2 * Y, FromStart, FromEnd); }
void Effect089(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 2 * X, 2 * Y, FromStart, FromStart); }
void Effect090(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 2 * X, 2 * Y, StartThenEnd, StartThenEnd); }
void Effect091(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 2 * X, 2 * Y, StartThenEnd, EndThenStart); }
void Effect092(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 2 * X, 2 * Y, EndThenStart, StartThenEnd); }
void Effect093(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 2 * X, 2 * Y, EndThenStart, EndThenStart); }
void Effect094(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, X, Y, FromEnd, BothWays); }
void Effect095(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, X, Y, FromStart, BothWays); }
void Effect096(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, X, Y, BothWays, FromEnd); }
void Effect097(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, X, Y, BothWays, FromStart); }
void Effect098(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, X, Y, BothWays, BothWays); }

// Only where the bars from the bottom right cross those from the top left.
void Effect099(EFFECT_PARAMS) {
  // The bar maker always yields a region: its row pass adds a bar on every call.
  RegionPtr region = CreateBarRgn(2 * X, 2 * Y, W, H, FromEnd, FromEnd);
  *region &= *CreateBarRgn(2 * X, 2 * Y, W, H, FromStart, FromStart);
  ClipAndCopy(Display, Image, W, H, std::move(region));
}

}  // namespace effects
