#pragma once
#include <cstdint>

#include "platform/raster/bitmap.h"

// Direct pixel work on 32-bit bitmaps. None of these checks its arguments:
// bands and blocks must lie inside the bitmaps, as each comment states.
namespace effects {

// Shades the columns Pos .. Pos + Size - 1 (inside the bitmap) like a roll.
void ApplyHReflect(raster::Bitmap& Bitmap, uint8_t Amount, int32_t Pos, int32_t Size);
// Shades the rows Pos .. Pos + Size - 1 (inside the bitmap) like a roll.
void ApplyVReflect(raster::Bitmap& Bitmap, uint8_t Amount, int32_t Pos, int32_t Size);
// Blends the Width × Height block at (X, Y) of src into dst; Transparency is
// the source's share in percent (0..100). Both bitmaps have the same width.
void MergeTransparent(raster::Bitmap& dstBitmap, const raster::Bitmap& srcBitmap, int32_t Transparency, int32_t X,
                      int32_t Y, int32_t Width, int32_t Height);
// Every dst pixel whose turned source position falls inside src takes it;
// (xOrg, yOrg) is counted from the bottom-left. Same-sized bitmaps.
void MergeRotate(raster::Bitmap& dstBitmap, const raster::Bitmap& srcBitmap, int32_t xOrg, int32_t yOrg,
                 long double Angle);

}  // namespace effects
