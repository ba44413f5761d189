// Scan conversion of ellipses, rounded rectangles and polygons into regions.
// Every row is sampled at its centre line (y + 0.5); a pixel belongs to a row's
// span when its centre lies inside the shape.
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/raster/region.h"

namespace raster {

namespace {

using Span = Region::Span;

Rect Normalised(const Rect& r) {
  return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
          std::max(r.top, r.bottom)};
}

// Half-width at row y of the ellipse with vertical centre cy and semi-axes a, b
// (all in pixel units); negative when the row misses the ellipse.
double EllipseHalfWidth(double cy, double a, double b, int32_t y) {
  const double dy = (y + 0.5 - cy) / b;
  if (dy <= -1.0 || dy >= 1.0) return -1.0;
  return a * std::sqrt(1.0 - dy * dy);
}

// Pixels whose centres lie in [x0, x1].
Span CentresWithin(double x0, double x1) {
  return {static_cast<int32_t>(std::ceil(x0 - 0.5)), static_cast<int32_t>(std::floor(x1 - 0.5)) + 1};
}

}  // namespace

Region Region::FromEllipse(const Rect& rect) {
  const Rect r = Normalised(rect);
  if (r.empty()) return Region();
  return FromRoundRect(r, r.width(), r.height());
}

// Corners are quarters of a w × h ellipse; w and h are reduced to the
// rectangle's size, and below 2 the corners stay square.
Region Region::FromRoundRect(const Rect& rect, int32_t w, int32_t h) {
  const Rect r = Normalised(rect);
  if (r.empty()) return Region();
  w = std::min(w, r.width());
  h = std::min(h, r.height());
  if (w < 2 || h < 2) return FromRect(r);

  const double a = w / 2.0, b = h / 2.0;
  const double leftCentre = r.left + a, rightCentre = r.right - a;
  const double topCentre = r.top + b, bottomCentre = r.bottom - b;
  RegionRowBuilder builder;
  for (int32_t y = r.top; y < r.bottom; ++y) {
    const double cy = y + 0.5 < topCentre ? topCentre : (y + 0.5 > bottomCentre ? bottomCentre : y + 0.5);
    const double hw = EllipseHalfWidth(cy, a, b, y);
    if (hw < 0) continue;
    Span s = CentresWithin(leftCentre - hw, rightCentre + hw);
    s.x0 = std::max(s.x0, r.left);
    s.x1 = std::min(s.x1, r.right);
    if (s.x0 < s.x1) builder.AddRow(y, {&s, 1});
  }
  return builder.Finish();
}

// Winding-rule fill. Edges are kept in an active list sorted by their top row;
// crossings are computed exactly in 128-bit integers so that the result does
// not depend on floating-point rounding.
Region Region::FromPolygon(std::span<const Point> pts) {
  struct Edge {
    int32_t yTop, yBottom;  // rows whose centres the edge crosses: [yTop, yBottom)
    int64_t xa, ya, dx, dy; // start point and direction (dy > 0)
    int winding;
  };
  std::vector<Edge> edges;
  const size_t n = pts.size();
  if (n < 3) return Region();
  for (size_t i = 0; i < n; ++i) {
    Point p = pts[i], q = pts[(i + 1) % n];
    if (p.y == q.y) continue;
    int winding = 1;
    if (p.y > q.y) { std::swap(p, q); winding = -1; }
    // Row y is crossed when p.y <= y + 0.5 < q.y, i.e. p.y <= y < q.y.
    edges.push_back({p.y, q.y, p.x, p.y, int64_t{q.x} - p.x, int64_t{q.y} - p.y, winding});
  }
  if (edges.empty()) return Region();
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.yTop < b.yTop; });
  int32_t yEnd = edges[0].yBottom;
  for (const Edge& e : edges) yEnd = std::max(yEnd, e.yBottom);

  struct Crossing {
    int32_t x;  // first pixel whose centre is at or right of the crossing
    int winding;
  };
  RegionRowBuilder builder;
  std::vector<const Edge*> active;
  std::vector<Crossing> crossings;
  std::vector<Span> spans;
  size_t next = 0;
  for (int32_t y = edges[0].yTop; y < yEnd; ++y) {
    std::erase_if(active, [y](const Edge* e) { return e->yBottom <= y; });
    while (next < edges.size() && edges[next].yTop <= y) active.push_back(&edges[next++]);
    if (active.empty()) {
      if (next < edges.size()) y = edges[next].yTop - 1;
      continue;
    }
    crossings.clear();
    for (const Edge* e : active) {
      // x at the row centre: xa + (y + 0.5 - ya) * dx / dy; the first pixel
      // centre at or right of it is ceil(x - 0.5) = ceil(num / den).
      const __int128 den = 2 * static_cast<__int128>(e->dy);
      const __int128 num = static_cast<__int128>(2 * (int64_t{y} - e->ya) + 1) * e->dx +
                           static_cast<__int128>(2 * e->xa - 1) * e->dy;
      __int128 q = num / den;
      if (num % den != 0 && num > 0) ++q;
      crossings.push_back({static_cast<int32_t>(q), e->winding});
    }
    std::sort(crossings.begin(), crossings.end(),
              [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
    spans.clear();
    int winding = 0;
    for (size_t i = 0; i < crossings.size(); ++i) {
      const int before = winding;
      winding += crossings[i].winding;
      if (before == 0 && winding != 0) spans.push_back({crossings[i].x, crossings[i].x});
      if (before != 0 && winding == 0) spans.back().x1 = crossings[i].x;
    }
    std::erase_if(spans, [](const Span& s) { return s.x0 >= s.x1; });
    // Spans of one row can touch after rounding; merge them.
    size_t out = 0;
    for (const Span& s : spans) {
      if (out > 0 && s.x0 <= spans[out - 1].x1) spans[out - 1].x1 = std::max(spans[out - 1].x1, s.x1);
      else spans[out++] = s;
    }
    spans.resize(out);
    builder.AddRow(y, spans);
  }
  return builder.Finish();
}

}  // namespace raster
