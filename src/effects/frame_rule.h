#pragma once
#include <cstdint>
#include <stdexcept>

#include "platform/raster/bitmap.h"

namespace effects {

// Raised for a style number outside 0..172.
class MissingEffectError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ProgressExtent {
  int32_t X, Y;
};

// The longer side is scaled by the progress, the shorter one follows the
// aspect ratio: for W × H at Progress.
ProgressExtent ExtentFor(int32_t W, int32_t H, int32_t Progress);

// Draws the frame for `progress` over the old picture already in Display:
// 100 copies the whole new picture, 0 leaves the old one, 1..99 calls the
// procedure of `style` (1..172) with the stretch mode set. Style 0 (custom
// drawing) is the caller's business and draws nothing here.
void DrawEffectFrame(raster::Bitmap& Display, const raster::Bitmap& Pic, int32_t W, int32_t H, int32_t style,
                     int32_t progress);

}  // namespace effects
