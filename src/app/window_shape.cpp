#include "app/window_shape.h"

#include <vector>

#include "app/window_system.h"
#include "platform/raster/region.h"

namespace app {

QRegion RoundedWindowShape() {
  const raster::Region region = raster::Region::FromRoundRect(raster::Rect{5, 4, 1195, 845}, 80, 80);
  std::vector<QRect> rects;
  for (const raster::Region::Band& band : region.bands()) {
    for (const raster::Region::Span& span : region.SpansOf(band)) {
      rects.emplace_back(span.x0, band.y0, span.x1 - span.x0, band.y1 - band.y0);
    }
  }
  // The bands are sorted and disjoint, which is what setRects expects.
  QRegion shape;
  shape.setRects(rects.data(), static_cast<int>(rects.size()));
  return shape;
}

bool OutlineNeedsTranslucency() { return RunsOnWayland(); }

}  // namespace app
