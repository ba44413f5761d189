#pragma once
#include <cstdint>

#include "platform/raster/drawing.h"

// The few drawing steps effect procedures are written with: block copies,
// scaled copies and the clip-and-copy step.
namespace effects {

using raster::Bitmap;
using raster::RegionPtr;

// Copies the w × h block of src at (xs, ys) onto dst at (xd, yd).
inline void CopyBlock(Bitmap& dst, int32_t xd, int32_t yd, int32_t w, int32_t h, const Bitmap& src, int32_t xs,
                      int32_t ys) {
  raster::BitBlt(dst, xd, yd, w, h, src, xs, ys);
}

// Nearest-pixel scaled copy of the ws × hs block of src at (xs, ys) onto the
// wd × hd block of dst at (xd, yd); a negative wd or hd mirrors.
inline void CopyScaled(Bitmap& dst, int32_t xd, int32_t yd, int32_t wd, int32_t hd, const Bitmap& src, int32_t xs,
                       int32_t ys, int32_t ws, int32_t hs) {
  raster::StretchBlt(dst, xd, yd, wd, hd, src, xs, ys, ws, hs);
}

// The clip-and-copy step: the new picture shows through `region`; with no
// region at all the whole new picture is copied. The region is released and
// the clip removed on every path.
void ClipAndCopy(Bitmap& Display, const Bitmap& Image, int32_t W, int32_t H, RegionPtr region);
// The same for a region value the procedure built itself.
void ClipAndCopy(Bitmap& Display, const Bitmap& Image, int32_t W, int32_t H, const raster::Region& region);

}  // namespace effects
