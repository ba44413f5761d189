#pragma once
#include <cstdint>

#include "platform/raster/geometry.h"

namespace raster {

// How a picture is fitted into an area: the three switches of the view.
struct PlacementRule {
  bool center = false;  // middle of the area, else its top-left corner
  bool stretch = false;  // fill the area (with proportional: scale up too)
  bool proportional = false;  // keep the aspect ratio; shrink what does not fit
};

// Where a picture of picW × picH lands in a client area of clientW × clientH
// with a frame band of frameWidth inside its edges. The result may reach
// beyond the area (a large picture at natural size); callers clip.
Rect PlaceDisplayRect(int32_t clientW, int32_t clientH, int32_t frameWidth, int32_t picW, int32_t picH,
                      const PlacementRule& rule);

}  // namespace raster
