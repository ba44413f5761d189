// Pushes and squeezes: the new picture enters from one edge while the old one
// leaves by the opposite edge, slid out unchanged (push) or compressed into
// the space that is left (squeeze). The old picture is moved first, within
// Display, then the new one is copied beside it; together they cover the frame.
#include "effects/effect_procs.h"
#include "effects/frame_ops.h"

namespace effects {

// Push right.
void Effect129(EFFECT_PARAMS) {
  CopyBlock(Display, X, 0, W - X, H, Display, 0, 0);
  CopyBlock(Display, 0, 0, X, H, Image, W - X, 0);
}

// Push left.
void Effect130(EFFECT_PARAMS) {
  CopyBlock(Display, 0, 0, W - X, H, Display, X, 0);
  CopyBlock(Display, W - X, 0, X, H, Image, 0, 0);
}

// Push and squeeze right: the whole old picture compressed into the columns right of X.
void Effect131(EFFECT_PARAMS) {
  CopyScaled(Display, X, 0, W - X, H, Display, 0, 0, W, H);
  CopyBlock(Display, 0, 0, X, H, Image, W - X, 0);
}

// Push and squeeze left.
void Effect132(EFFECT_PARAMS) {
  CopyScaled(Display, 0, 0, W - X, H, Display, 0, 0, W, H);
  CopyBlock(Display, W - X, 0, X, H, Image, 0, 0);
}

// Push down.
void Effect133(EFFECT_PARAMS) {
  CopyBlock(Display, 0, Y, W, H - Y, Display, 0, 0);
  CopyBlock(Display, 0, 0, W, Y, Image, 0, H - Y);
}

// Push up.
void Effect134(EFFECT_PARAMS) {
  CopyBlock(Display, 0, 0, W, H - Y, Display, 0, Y);
  CopyBlock(Display, 0, H - Y, W, Y, Image, 0, 0);
}

// Push and sqeeze down: the whole old picture compressed into the rows below Y.
void Effect135(EFFECT_PARAMS) {
  CopyScaled(Display, 0, Y, W, H - Y, Display, 0, 0, W, H);
  CopyBlock(Display, 0, 0, W, Y, Image, 0, H - Y);
}

// Push and sqeeze up.
void Effect136(EFFECT_PARAMS) {
  CopyScaled(Display, 0, 0, W, H - Y, Display, 0, 0, W, H);
  CopyBlock(Display, 0, H - Y, W, Y, Image, 0, 0);
}

}  // namespace effects
