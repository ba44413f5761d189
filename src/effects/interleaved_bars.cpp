// Interleaved bars: every other bar fills in during the first half of the
// transition and the rest during the second half (the doubled extent passes
// the picture size half-way); the BothWays members fill both sets at once from
// opposite sides with the plain extent.
#include "effects/bar_reveal.h"
#include "effects/effect_procs.h"

namespace effects {

using namespace BarMode;  // the rows below name their modes

// Row bars moving across the width.
void Effect060(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 2 * X, 0, FromEnd, Off); }
void Effect061(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 2 * X, 0, FromStart, Off); }
void Effect062(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 2 * X, 0, StartThenEnd, Off); }
void Effect063(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 2 * X, 0, EndThenStart, Off); }
void Effect064(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, X, 0, BothWays, Off); }

// Column bars moving across the height.
void Effect071(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 0, 2 * Y, Off, FromEnd); }
void Effect072(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 0, 2 * Y, Off, FromStart); }
void Effect073(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 0, 2 * Y, Off, StartThenEnd); }
void Effect074(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 0, 2 * Y, Off, EndThenStart); }
void Effect075(EFFECT_PARAMS) { RevealBars(Display, Image, W, H, 0, Y, Off, BothWays); }

}  // namespace effects
