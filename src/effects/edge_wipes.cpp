// Edge wipes: the new picture expands, slides in or is revealed along one
// axis. Styles 1-13 work across the width with X; styles 18-30 are their twins
// down the height with Y. Each procedure is one or two copies from Image.
#include "effects/effect_procs.h"
#include "effects/frame_ops.h"

namespace effects {

// Expand from right: the whole new picture squeezed into the right X columns.
void Effect001(EFFECT_PARAMS) { CopyScaled(Display, W - X, 0, X, H, Image, 0, 0, W, H); }

// Expand from left.
void Effect002(EFFECT_PARAMS) { CopyScaled(Display, 0, 0, X, H, Image, 0, 0, W, H); }

// Slide in from right: the new picture's left edge is at W - X.
void Effect003(EFFECT_PARAMS) { CopyBlock(Display, W - X, 0, W, H, Image, 0, 0); }

// Slide in from left: the new picture's right edge is at X.
void Effect004(EFFECT_PARAMS) { CopyBlock(Display, X - W, 0, W, H, Image, 0, 0); }

// Reveal from left.
void Effect005(EFFECT_PARAMS) { CopyBlock(Display, 0, 0, X, H, Image, 0, 0); }

// Reveal from right.
void Effect006(EFFECT_PARAMS) { CopyBlock(Display, W - X, 0, X, H, Image, W - X, 0); }

// Expand in from right: the left X columns, stretched to 2W - X columns from the left edge.
void Effect007(EFFECT_PARAMS) { CopyScaled(Display, 0, 0, 2 * W - X, H, Image, 0, 0, X, H); }

// Expand in from left: the right X columns, stretched to 2W - X columns ending at the right edge.
void Effect008(EFFECT_PARAMS) { CopyScaled(Display, X - W, 0, 2 * W - X, H, Image, W - X, 0, X, H); }

// Expand in to middle: the middle X columns, stretched to 3W - 2X columns
// centred on the frame, so they always overfill it on both sides.
void Effect009(EFFECT_PARAMS) { CopyScaled(Display, X - W, 0, 3 * W - 2 * X, H, Image, (W - X) / 2, 0, X, H); }

// Expand out from middle: the whole new picture squeezed into the middle X columns.
void Effect010(EFFECT_PARAMS) { CopyScaled(Display, (W - X) / 2, 0, X, H, Image, 0, 0, W, H); }

// Reveal out from middle.
void Effect011(EFFECT_PARAMS) { CopyBlock(Display, (W - X) / 2, 0, X, H, Image, (W - X) / 2, 0); }

// Reveal in from sides: X div 2 columns at each side edge.
void Effect012(EFFECT_PARAMS) {
  const int32_t side = X / 2;
  CopyBlock(Display, 0, 0, side, H, Image, 0, 0);
  CopyBlock(Display, W - side, 0, side, H, Image, W - side, 0);
}

// Expand in from sides: each half of the new picture (W div 2 columns)
// squeezed into X div 2 columns at its own side edge.
void Effect013(EFFECT_PARAMS) {
  const int32_t side = X / 2, half = W / 2;
  CopyScaled(Display, 0, 0, side, H, Image, 0, 0, half, H);
  CopyScaled(Display, W - side, 0, side, H, Image, half, 0, half, H);
}

// Expand from bottom.
void Effect018(EFFECT_PARAMS) { CopyScaled(Display, 0, H - Y, W, Y, Image, 0, 0, W, H); }

// Expand from top.
void Effect019(EFFECT_PARAMS) { CopyScaled(Display, 0, 0, W, Y, Image, 0, 0, W, H); }

// Slide in from bottom.
void Effect020(EFFECT_PARAMS) { CopyBlock(Display, 0, H - Y, W, H, Image, 0, 0); }

// Slide in from top.
void Effect021(EFFECT_PARAMS) { CopyBlock(Display, 0, Y - H, W, H, Image, 0, 0); }

// Reveal from top.
void Effect022(EFFECT_PARAMS) { CopyBlock(Display, 0, 0, W, Y, Image, 0, 0); }

// Reveal from bottom.
void Effect023(EFFECT_PARAMS) { CopyBlock(Display, 0, H - Y, W, Y, Image, 0, H - Y); }

// Expand in from bottom: the top Y rows stretched down from the top edge.
void Effect024(EFFECT_PARAMS) { CopyScaled(Display, 0, 0, W, 2 * H - Y, Image, 0, 0, W, Y); }

// Expand in from top: the bottom Y rows stretched up from the bottom edge.
void Effect025(EFFECT_PARAMS) { CopyScaled(Display, 0, Y - H, W, 2 * H - Y, Image, 0, H - Y, W, Y); }

// Expand in to middle (horiz).
void Effect026(EFFECT_PARAMS) { CopyScaled(Display, 0, Y - H, W, 3 * H - 2 * Y, Image, 0, (H - Y) / 2, W, Y); }

// Expand out from middle (horiz).
void Effect027(EFFECT_PARAMS) { CopyScaled(Display, 0, (H - Y) / 2, W, Y, Image, 0, 0, W, H); }

// Reveal from middle (horiz).
void Effect028(EFFECT_PARAMS) { CopyBlock(Display, 0, (H - Y) / 2, W, Y, Image, 0, (H - Y) / 2); }

// Slide in from top / bottom: despite the name, the new picture is revealed
// in place, Y div 2 rows at the top and at the bottom edge.
void Effect029(EFFECT_PARAMS) {
  const int32_t side = Y / 2;
  CopyBlock(Display, 0, 0, W, side, Image, 0, 0);
  CopyBlock(Display, 0, H - side, W, side, Image, 0, H - side);
}

// Expand in from top / bottom: each half (H div 2 rows) squeezed into Y div 2
// rows at its own edge.
void Effect030(EFFECT_PARAMS) {
  const int32_t side = Y / 2, half = H / 2;
  CopyScaled(Display, 0, 0, W, side, Image, 0, 0, W, half);
  CopyScaled(Display, 0, H - side, W, side, Image, 0, half, W, half);
}

}  // namespace effects
