#pragma once
#include <cstdint>

#include "platform/raster/bitmap.h"

namespace effects {

// The parameters of every effect procedure, written once: declarations take
// them from TEffectSignature, definitions spell them as
// `void Effect001(EFFECT_PARAMS) { ... }` (a procedure may leave some unused).
//
// Draws one frame of a transition into Display, which holds a fresh copy of
// the old picture; Image is the new picture (never changed). Both are W × H.
// X and Y are the progress extents (0..W, 0..H) and Progress is 1..99.
// A procedure keeps no state and leaves Display without a clip region.
#define EFFECT_PARAMS                                                                                           \
  raster::Bitmap &Display, const raster::Bitmap &Image, [[maybe_unused]] int32_t W, [[maybe_unused]] int32_t H, \
      [[maybe_unused]] int32_t X, [[maybe_unused]] int32_t Y, [[maybe_unused]] int32_t Progress

using TEffectSignature = void(EFFECT_PARAMS);
using TEffectProc = TEffectSignature*;

}  // namespace effects
