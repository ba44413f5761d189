#include "effects/frame_ops.h"

namespace effects {

void ClipAndCopy(Bitmap& Display, const Bitmap& Image, int32_t W, int32_t H, RegionPtr region) {
  raster::ScopedClip clip(Display, region.get());
  raster::BitBlt(Display, 0, 0, W, H, Image, 0, 0);
}

void ClipAndCopy(Bitmap& Display, const Bitmap& Image, int32_t W, int32_t H, const raster::Region& region) {
  raster::ScopedClip clip(Display, &region);
  raster::BitBlt(Display, 0, 0, W, H, Image, 0, 0);
}

}  // namespace effects
