#pragma once
#include <cstdint>

#include "effects/complex_region.h"
#include "effects/frame_ops.h"

namespace effects {

// Turns the rectangle list into a region, releases the list, and shows the
// new picture through the region. A list that received no rectangle gives no
// region and leaves the old picture: "no region" must never reach the
// clip-and-copy step, which would show the whole new picture.
inline void RevealRectList(Bitmap& Display, const Bitmap& Image, int32_t W, int32_t H, TComplexRegion& rects) {
  RegionPtr region = rects.CreateRegion();
  rects.Clear();
  if (region) ClipAndCopy(Display, Image, W, H, std::move(region));
}

}  // namespace effects
