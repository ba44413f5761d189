#pragma once
#include "platform/raster/bitmap.h"

namespace raster {

// Reduces `source` into `target`, which is already sized and at most as large
// as `source` on each side: every target pixel is the average of the source
// area it covers, source pixels cut by its edges counted by the share that
// lies inside (an area-averaging box filter). All four bytes of a pixel are
// averaged alike. A flat area keeps its exact value; fine detail becomes its
// mean instead of the moiré that dropping pixels makes.
void BoxReduce(const Bitmap& source, Bitmap& target);

}  // namespace raster
