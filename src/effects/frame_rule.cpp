#include "effects/frame_rule.h"

#include <string>

#include "effects/catalogue.h"
#include "platform/raster/drawing.h"
#include "platform/raster/muldiv.h"

namespace effects {

ProgressExtent ExtentFor(int32_t W, int32_t H, int32_t Progress) {
  if (H <= W) {
    const int32_t X = raster::MulDiv(W, Progress, 100);
    return {X, raster::MulDiv(X, H, W)};
  }
  const int32_t Y = raster::MulDiv(H, Progress, 100);
  return {raster::MulDiv(Y, W, H), Y};
}

void DrawEffectFrame(raster::Bitmap& Display, const raster::Bitmap& Pic, int32_t W, int32_t H, int32_t style,
                     int32_t progress) {
  if (progress >= 100) {
    raster::BitBlt(Display, 0, 0, Pic.Width(), Pic.Height(), Pic, 0, 0);
    return;
  }
  if (progress <= 0 || style == 0) return;
  const TEffect* effect = FindEffect(style);
  if (effect == nullptr) throw MissingEffectError("style " + std::to_string(style) + " does not exist");
  raster::SetStretchBltMode(Display, raster::COLORONCOLOR);
  const ProgressExtent e = ExtentFor(W, H, progress);
  effect->Proc(Display, Pic, W, H, e.X, e.Y, progress);
}

}  // namespace effects
