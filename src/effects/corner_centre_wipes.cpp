// Corner and centre wipes: the new picture expands, slides in or is revealed
// along both axes at once, from a corner, from or to the centre, contracts
// from an enlargement, or arrives in four quarters.
#include "effects/effect_procs.h"
#include "effects/frame_ops.h"

namespace effects {

// Expand from bottom right: the whole new picture scaled to X × Y.
void Effect035(EFFECT_PARAMS) { CopyScaled(Display, W - X, H - Y, X, Y, Image, 0, 0, W, H); }

// Expand from top right.
void Effect036(EFFECT_PARAMS) { CopyScaled(Display, W - X, 0, X, Y, Image, 0, 0, W, H); }

// Expand from top left.
void Effect037(EFFECT_PARAMS) { CopyScaled(Display, 0, 0, X, Y, Image, 0, 0, W, H); }

// Expand from bottom left.
void Effect038(EFFECT_PARAMS) { CopyScaled(Display, 0, H - Y, X, Y, Image, 0, 0, W, H); }

// Slide in from bottom right: the new picture's top-left corner is at (W - X, H - Y).
void Effect039(EFFECT_PARAMS) { CopyBlock(Display, W - X, H - Y, W, H, Image, 0, 0); }

// Slide in from top right.
void Effect040(EFFECT_PARAMS) { CopyBlock(Display, W - X, Y - H, W, H, Image, 0, 0); }

// Slide in from top left.
void Effect041(EFFECT_PARAMS) { CopyBlock(Display, X - W, Y - H, W, H, Image, 0, 0); }

// Slide in from bottom left.
void Effect042(EFFECT_PARAMS) { CopyBlock(Display, X - W, H - Y, W, H, Image, 0, 0); }

// Reveal from top left.
void Effect043(EFFECT_PARAMS) { CopyBlock(Display, 0, 0, X, Y, Image, 0, 0); }

// Reveal from bottom left.
void Effect044(EFFECT_PARAMS) { CopyBlock(Display, 0, H - Y, X, Y, Image, 0, H - Y); }

// Reveal from bottom right.
void Effect045(EFFECT_PARAMS) { CopyBlock(Display, W - X, H - Y, X, Y, Image, W - X, H - Y); }

// Reveal from top right.
void Effect046(EFFECT_PARAMS) { CopyBlock(Display, W - X, 0, X, Y, Image, W - X, 0); }

// Appear and Contract to top left: the top-left X × Y part, enlarged to
// (2W - X) × (2H - Y) from the top-left corner.
void Effect047(EFFECT_PARAMS) { CopyScaled(Display, 0, 0, 2 * W - X, 2 * H - Y, Image, 0, 0, X, Y); }

// Appear and Contract to bottom left.
void Effect048(EFFECT_PARAMS) { CopyScaled(Display, 0, Y - H, 2 * W - X, 2 * H - Y, Image, 0, H - Y, X, Y); }

// Appear and Contract to bottom right.
void Effect049(EFFECT_PARAMS) { CopyScaled(Display, X - W, Y - H, 2 * W - X, 2 * H - Y, Image, W - X, H - Y, X, Y); }

// Appear and Contract to top right.
void Effect050(EFFECT_PARAMS) { CopyScaled(Display, X - W, 0, 2 * W - X, 2 * H - Y, Image, W - X, 0, X, Y); }

// Appear and Contract to middle: the central X × Y part, enlarged to
// (3W - 2X) × (3H - 2Y) about the frame's centre, always overfills the frame.
void Effect051(EFFECT_PARAMS) {
  CopyScaled(Display, X - W, Y - H, 3 * W - 2 * X, 3 * H - 2 * Y, Image, (W - X) / 2, (H - Y) / 2, X, Y);
}

// Expand out from centre: the whole new picture scaled to X × Y in the middle.
void Effect052(EFFECT_PARAMS) { CopyScaled(Display, (W - X) / 2, (H - Y) / 2, X, Y, Image, 0, 0, W, H); }

// Reveal out from centre.
void Effect053(EFFECT_PARAMS) { CopyBlock(Display, (W - X) / 2, (H - Y) / 2, X, Y, Image, (W - X) / 2, (H - Y) / 2); }

// Reveal in to centre: the new picture shows in a border X div 2 wide at the
// sides and Y div 2 high at top and bottom, around a shrinking centre hole.
void Effect054(EFFECT_PARAMS) {
  const int32_t mX = X / 2, mY = Y / 2;
  raster::ScopedClip noClipAfterwards(Display, nullptr);
  raster::ExcludeClipRect(Display, mX, mY, W - mX, H - mY);
  CopyBlock(Display, 0, 0, W, H, Image, 0, 0);
}

// Quarters Reveal in to middle: an mX × mY block in place at each corner.
void Effect055(EFFECT_PARAMS) {
  const int32_t mX = X / 2, mY = Y / 2;
  CopyBlock(Display, 0, 0, mX, mY, Image, 0, 0);
  CopyBlock(Display, 0, H - mY, mX, mY, Image, 0, H - mY);
  CopyBlock(Display, W - mX, H - mY, mX, mY, Image, W - mX, H - mY);
  CopyBlock(Display, W - mX, 0, mX, mY, Image, W - mX, 0);
}

// Quarters Expand to middle: each mW × mH quarter of the new picture scaled
// to mX × mY in its own corner.
void Effect056(EFFECT_PARAMS) {
  const int32_t mX = X / 2, mY = Y / 2, mW = W / 2, mH = H / 2;
  CopyScaled(Display, 0, 0, mX, mY, Image, 0, 0, mW, mH);
  CopyScaled(Display, 0, H - mY, mX, mY, Image, 0, mH, mW, mH);
  CopyScaled(Display, W - mX, H - mY, mX, mY, Image, mW, mH, mW, mH);
  CopyScaled(Display, W - mX, 0, mX, mY, Image, mW, 0, mW, mH);
}

// Quarters Slide in to middle: each mW × mH quarter slides in unscaled, the
// top-left one from the left, the top-right one from the top, the
// bottom-right one from the right and the bottom-left one from the bottom.
void Effect057(EFFECT_PARAMS) {
  const int32_t mX = X / 2, mY = Y / 2, mW = W / 2, mH = H / 2;
  CopyBlock(Display, mX - mW, 0, mW, mH, Image, 0, 0);
  CopyBlock(Display, mW, mY - mH, mW, mH, Image, mW, 0);
  CopyBlock(Display, W - mX, mH, mW, mH, Image, mW, mH);
  CopyBlock(Display, 0, H - mY, mW, mH, Image, 0, mH);
}

}  // namespace effects
