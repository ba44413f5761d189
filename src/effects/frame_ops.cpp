#include "effects/frame_ops.h"

#include "platform/raster/pixel_copy.h"
#include "platform/raster/span_walk.h"

namespace effects {

namespace {

// The new picture through `region`, read straight from the region: the same
// pixels as selecting it as Display's clip and copying, without the copy of
// every band and span that selecting it takes. Rows bottom-up, as they are
// stored. Leaves Display without a clip, as the clip-and-copy step does.
void CopyThrough(Bitmap& Display, const Bitmap& Image, int32_t W, int32_t H, const raster::Region& region) {
  const raster::Rect area = raster::Intersect(raster::Intersect({0, 0, W, H}, Display.Bounds()), Image.Bounds());
  raster::ForEachClippedSpan(&region, area, true, false, [&](int32_t y, int32_t x0, int32_t x1) {
    raster::CopyPixels(Display.Row(y) + x0, Image.Row(y) + x0, size_t(x1 - x0));
  });
  raster::SelectClipRgn(Display, nullptr);
}

}  // namespace

void ClipAndCopy(Bitmap& Display, const Bitmap& Image, int32_t W, int32_t H, RegionPtr region) {
  if (region && &Display != &Image && W > 0 && H > 0) {
    CopyThrough(Display, Image, W, H, *region);
    return;
  }
  raster::ScopedClip clip(Display, region.get());
  raster::BitBlt(Display, 0, 0, W, H, Image, 0, 0);
}

void ClipAndCopy(Bitmap& Display, const Bitmap& Image, int32_t W, int32_t H, const raster::Region& region) {
  if (&Display != &Image && W > 0 && H > 0) {
    CopyThrough(Display, Image, W, H, region);
    return;
  }
  raster::ScopedClip clip(Display, &region);
  raster::BitBlt(Display, 0, 0, W, H, Image, 0, 0);
}

}  // namespace effects
