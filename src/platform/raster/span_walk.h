#pragma once
#include <algorithm>
#include <vector>

#include "platform/raster/geometry.h"
#include "platform/raster/region.h"

namespace raster {

// Calls f(y, x0, x1) for every row of `area` and every run of that row that
// lies inside `clip` (the whole row when clip is null). `area` must already be
// inside the bitmap. Rows run bottom-up when asked, runs right to left when
// asked: that is what copies within one bitmap need to read before they write.
template <class F>
void ForEachClippedSpan(const Region* clip, const Rect& area, bool bottomUp, bool rightToLeft, F&& f) {
  if (area.empty()) return;
  if (clip == nullptr) {
    for (int32_t k = 0; k < area.height(); ++k) {
      f(bottomUp ? area.bottom - 1 - k : area.top + k, area.left, area.right);
    }
    return;
  }
  const auto bands = clip->bands();
  size_t first = clip->FirstBandBelow(area.top);
  size_t last = first;
  while (last < bands.size() && bands[last].y0 < area.bottom) ++last;
  std::vector<Region::Span> runs;
  for (size_t n = 0; n < last - first; ++n) {
    const Region::Band& band = bands[bottomUp ? last - 1 - n : first + n];
    runs.clear();
    for (const Region::Span& s : clip->SpansOf(band)) {
      const int32_t x0 = std::max(s.x0, area.left), x1 = std::min(s.x1, area.right);
      if (x0 < x1) runs.push_back({x0, x1});
    }
    if (runs.empty()) continue;
    if (rightToLeft) std::reverse(runs.begin(), runs.end());
    const int32_t y0 = std::max(band.y0, area.top), y1 = std::min(band.y1, area.bottom);
    for (int32_t k = 0; k < y1 - y0; ++k) {
      const int32_t y = bottomUp ? y1 - 1 - k : y0 + k;
      for (const Region::Span& r : runs) f(y, r.x0, r.x1);
    }
  }
}

}  // namespace raster
