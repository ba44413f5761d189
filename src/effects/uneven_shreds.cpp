// Uneven shreds: thin strips uncovered to the progress extent plus a random
// jitter drawn anew from the shared generator in every frame, so the front
// frays and shimmers. One-direction members pass 0 for the other extent.
#include "effects/effect_procs.h"
#include "effects/frame_ops.h"
#include "effects/region_makers.h"

namespace effects {

namespace {

void RevealShreds(Bitmap& Display, const Bitmap& Image, int32_t W, int32_t H, int32_t shredX, int32_t shredY,
                  int32_t XMode, int32_t YMode) {
  ClipAndCopy(Display, Image, W, H, CreatePourRgn(shredX, shredY, W, H, XMode, YMode));
}

}  // namespace

// Horizontal strips: a ragged vertical front.
void Effect065(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, 0, 1, 0); }
void Effect066(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, 0, 2, 0); }
void Effect067(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, 0, 3, 0); }
void Effect068(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, 0, 4, 0); }

// Vertical strips: a ragged horizontal front.
void Effect076(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, 0, Y, 0, 1); }
void Effect077(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, 0, Y, 0, 2); }
void Effect078(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, 0, Y, 0, 3); }
void Effect079(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, 0, Y, 0, 4); }

// Both directions: horizontal strips drawn first, then vertical strips.
void Effect100(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, Y, 1, 1); }
void Effect101(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, Y, 1, 2); }
void Effect102(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, Y, 2, 1); }
void Effect103(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, Y, 2, 2); }
void Effect104(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, Y, 1, 3); }
void Effect105(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, Y, 2, 3); }
void Effect106(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, Y, 3, 1); }
void Effect107(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, Y, 3, 2); }
void Effect108(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, Y, 3, 3); }
void Effect109(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, Y, 4, 4); }

}  // namespace effects
