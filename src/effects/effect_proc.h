#pragma once
#include <cstdint>

#include "platform/raster/bitmap.h"

namespace effects {

// Draws one frame of a transition into Display, which holds a fresh copy of
// the old picture; Image is the new picture (never changed). Both are W × H.
// X and Y are the progress extents (0..W, 0..H) and Progress is 1..99.
// A procedure keeps no state and leaves Display without a clip region.
using TEffectProc = void (*)(raster::Bitmap& Display, const raster::Bitmap& Image, int32_t W, int32_t H,
                             int32_t X, int32_t Y, int32_t Progress);

}  // namespace effects
