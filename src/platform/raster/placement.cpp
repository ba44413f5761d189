#include "platform/raster/placement.h"

#include "platform/raster/muldiv.h"

namespace raster {

Rect PlaceDisplayRect(int32_t clientW, int32_t clientH, int32_t frameWidth, int32_t picW, int32_t picH,
                      const PlacementRule& rule) {
  const int32_t cW = clientW - 2 * frameWidth;
  const int32_t cH = clientH - 2 * frameWidth;
  int32_t pW = picW;
  int32_t pH = picH;
  if (rule.proportional && pW > 0 && pH > 0 && (rule.stretch || cW < pW || cH < pH)) {
    if (double(cH) / pH > double(cW) / pW) {  // the width limits
      pH = MulDiv(pH, cW, pW);
      pW = cW;
    } else {  // the height limits, also on equal ratios
      pW = MulDiv(pW, cH, pH);
      pH = cH;
    }
  } else if (rule.stretch) {
    pW = cW;
    pH = cH;
  }
  const int32_t dx = rule.center ? frameWidth + (cW - pW) / 2 : frameWidth;
  const int32_t dy = rule.center ? frameWidth + (cH - pH) / 2 : frameWidth;
  return {dx, dy, dx + pW, dy + pH};
}

}  // namespace raster
