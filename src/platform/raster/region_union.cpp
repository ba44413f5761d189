#include "platform/raster/region_union.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace raster {

namespace {

using Span = Region::Span;

// A part under the sweep line and the first of its bands not yet passed.
struct Cursor {
  const Region* part;
  size_t band;
  const Region::Band& Current() const { return part->bands()[band]; }
};

// Union of one row's spans: sorted by start, overlapping or touching ones merged.
void MergeUnion(std::vector<Span>& spans) {
  std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.x0 < b.x0; });
  size_t out = 0;
  for (const Span& s : spans) {
    if (out > 0 && s.x0 <= spans[out - 1].x1) {
      spans[out - 1].x1 = std::max(spans[out - 1].x1, s.x1);
    } else {
      spans[out++] = s;
    }
  }
  spans.resize(out);
}

// Exclusive-or of one row's spans (each part's spans are disjoint): the runs
// covered an odd number of times. All ends at one x are taken together, so
// no empty or touching runs come out.
void MergeXor(std::vector<Span>& spans, std::vector<int32_t>& ends) {
  ends.clear();
  for (const Span& s : spans) {
    ends.push_back(s.x0);
    ends.push_back(s.x1);
  }
  std::sort(ends.begin(), ends.end());
  spans.clear();
  bool inside = false;
  for (size_t i = 0; i < ends.size();) {
    const int32_t x = ends[i];
    size_t same = 0;
    for (; i < ends.size() && ends[i] == x; ++i) ++same;
    if (same % 2 == 0) continue;
    if (inside)
      spans.back().x1 = x;
    else
      spans.push_back({x, x});
    inside = !inside;
  }
}

// The sweep steps from one band edge to the next: between two successive
// edges of the parts under it, every part either covers the whole step with
// one band or none of it, so the step's spans are the merged spans of the
// covering bands, combined by `mergeRow`. Parts enter in order of their top edge.
template <class MergeRow>
Region Sweep(std::span<const Region> parts, MergeRow mergeRow) {
  std::vector<const Region*> byTop;
  for (const Region& r : parts)
    if (!r.IsEmpty()) byTop.push_back(&r);
  std::sort(byTop.begin(), byTop.end(),
            [](const Region* a, const Region* b) { return a->bands().front().y0 < b->bands().front().y0; });

  RegionRowBuilder builder;
  std::vector<Cursor> active;
  std::vector<Span> spans;
  size_t next = 0;
  int32_t y = INT_MIN;
  while (next < byTop.size() || !active.empty()) {
    if (active.empty()) y = std::max(y, byTop[next]->bands().front().y0);
    for (; next < byTop.size() && byTop[next]->bands().front().y0 <= y; ++next) active.push_back({byTop[next], 0});

    int32_t stepEnd = next < byTop.size() ? byTop[next]->bands().front().y0 : INT_MAX;
    spans.clear();
    for (const Cursor& c : active) {
      const Region::Band& band = c.Current();
      if (band.y0 > y) {
        stepEnd = std::min(stepEnd, band.y0);
        continue;
      }
      stepEnd = std::min(stepEnd, band.y1);
      const auto own = c.part->SpansOf(band);
      spans.insert(spans.end(), own.begin(), own.end());
    }
    mergeRow(spans);
    builder.AddBand(y, stepEnd, spans);
    y = stepEnd;

    for (Cursor& c : active) {
      if (c.Current().y1 <= y) ++c.band;
    }
    std::erase_if(active, [](const Cursor& c) { return c.band == c.part->bands().size(); });
  }
  return builder.Finish();
}

}  // namespace

Region UnionOf(std::span<const Region> parts) { return Sweep(parts, MergeUnion); }

Region XorOf(std::span<const Region> parts) {
  std::vector<int32_t> ends;
  return Sweep(parts, [&ends](std::vector<Span>& spans) { MergeXor(spans, ends); });
}

}  // namespace raster
