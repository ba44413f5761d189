// Uneven shreds: thin strips uncovered to the progress extent plus a random
// jitter drawn anew from the shared generator in every frame, so the front
// frays and shimmers. One-direction members pass 0 for the other extent.
#include "effects/effect_procs.h"
#include "effects/frame_ops.h"
#include "effects/region_makers.h"

namespace effects {

using namespace PourMode;  // the rows below name their modes

namespace {

void RevealShreds(Bitmap& Display, const Bitmap& Image, int32_t W, int32_t H, int32_t shredX, int32_t shredY,
                  int32_t XMode, int32_t YMode) {
  ClipAndCopy(Display, Image, W, H, CreatePourRgn(shredX, shredY, W, H, XMode, YMode));
}

}  // namespace

// Horizontal strips: a ragged vertical front.
void Effect065(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, 0, FromEnd, Off); }
void Effect066(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, 0, FromStart, Off); }
void Effect067(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, 0, OutFromMiddle, Off); }
void Effect068(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, 0, InFromBothEdges, Off); }

// Vertical strips: a ragged horizontal front.
void Effect076(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, 0, Y, Off, FromEnd); }
void Effect077(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, 0, Y, Off, FromStart); }
void Effect078(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, 0, Y, Off, OutFromMiddle); }
void Effect079(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, 0, Y, Off, InFromBothEdges); }

// Both directions: horizontal strips drawn first, then vertical strips.
void Effect100(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, Y, FromEnd, FromEnd); }
void Effect101(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, Y, FromEnd, FromStart); }
void Effect102(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, Y, FromStart, FromEnd); }
void Effect103(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, Y, FromStart, FromStart); }
void Effect104(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, Y, FromEnd, OutFromMiddle); }
void Effect105(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, Y, FromStart, OutFromMiddle); }
void Effect106(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, Y, OutFromMiddle, FromEnd); }
void Effect107(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, Y, OutFromMiddle, FromStart); }
void Effect108(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, Y, OutFromMiddle, OutFromMiddle); }
void Effect109(EFFECT_PARAMS) { RevealShreds(Display, Image, W, H, X, Y, InFromBothEdges, InFromBothEdges); }

}  // namespace effects
