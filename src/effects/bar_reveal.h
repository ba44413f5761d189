#pragma once
#include <cstdint>

#include "effects/frame_ops.h"
#include "effects/region_makers.h"

namespace effects {

// Shows the new picture through the bars of CreateBarRgn(barX, barY, W, H,
// XMode, YMode): rows grown to barX, columns to barY.
inline void RevealBars(Bitmap& Display, const Bitmap& Image, int32_t W, int32_t H, int32_t barX, int32_t barY,
                       int32_t XMode, int32_t YMode) {
  ClipAndCopy(Display, Image, W, H, CreateBarRgn(barX, barY, W, H, XMode, YMode));
}

}  // namespace effects
