#include "effects/lattice_region.h"

#include <algorithm>
#include <span>
#include <vector>

namespace effects {

namespace {

using Span = raster::Region::Span;

// Sorted by start, overlapping or touching spans merged.
void Normalise(std::vector<Span>& spans) {
  if (!std::is_sorted(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.x0 < b.x0; })) {
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.x0 < b.x0; });
  }
  size_t out = 0;
  for (const Span& s : spans) {
    if (out > 0 && s.x0 <= spans[out - 1].x1)
      spans[out - 1].x1 = std::max(spans[out - 1].x1, s.x1);
    else
      spans[out++] = s;
  }
  spans.resize(out);
}

int32_t FloorDiv(int32_t a, int32_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0); }

}  // namespace

raster::Region LatticeUnion(const raster::Region& shape, const TLattice& L) {
  if (shape.IsEmpty() || L.columns <= 0 || L.rows <= 0) return raster::Region();
  // The shape's spans for each of its rows, from its top row on.
  const int32_t top = shape.bands().front().y0, bottom = shape.bands().back().y1;
  std::vector<std::span<const Span>> shapeRows(size_t(bottom - top));
  for (const raster::Region::Band& band : shape.bands()) {
    for (int32_t y = band.y0; y < band.y1; ++y) shapeRows[size_t(y - top)] = shape.SpansOf(band);
  }

  raster::RegionRowBuilder builder;
  std::vector<Span> relative, spans;
  const int32_t yEnd = L.y0 + (L.rows - 1) * L.dy + bottom;
  for (int32_t y = L.y0 + top; y < yEnd; ++y) {
    // Lattice rows j whose copy covers row y: top <= y - (y0 + j dy) < bottom.
    const int32_t jFirst = std::max(FloorDiv(y - L.y0 - bottom, L.dy) + 1, 0);
    const int32_t jLast = std::min(FloorDiv(y - L.y0 - top, L.dy), L.rows - 1);
    relative.clear();
    for (int32_t j = jFirst; j <= jLast; ++j) {
      const auto row = shapeRows[size_t(y - L.y0 - j * L.dy - top)];
      relative.insert(relative.end(), row.begin(), row.end());
    }
    if (relative.empty()) continue;
    Normalise(relative);
    spans.clear();
    for (int32_t i = 0, x = L.x0; i < L.columns; ++i, x += L.dx) {
      for (const Span& s : relative) spans.push_back({x + s.x0, x + s.x1});
    }
    Normalise(spans);
    builder.AddRow(y, spans);
  }
  return builder.Finish();
}

}  // namespace effects
