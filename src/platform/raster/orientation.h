#pragma once
#include "platform/raster/bitmap.h"

namespace raster {

// The picture `stored` turned and mirrored as an EXIF Orientation value
// (1..8) says, so that it stands upright: 2 mirrors left to right, 3 turns by
// 180 degrees, 4 mirrors top to bottom, 5 mirrors along the main diagonal,
// 6 turns a quarter clockwise, 7 mirrors along the other diagonal, 8 turns a
// quarter anticlockwise. Values 5..8 swap width and height; 1 and any value
// outside 1..8 give a plain copy.
Bitmap Oriented(const Bitmap& stored, int orientation);

}  // namespace raster
