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
  return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right), std::max(r.top, r.bottom)};
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

namespace {

// A polygon edge stepped row by row. The first pixel whose centre lies at or
// right of the edge's crossing with row centre y + 0.5 is ceil(num / den) with
// num = (2(y - ya) + 1) dx + (2 xa - 1) dy and den = 2 dy; num grows by 2 dx per
// row, so the quotient is stepped exactly with a remainder, as in Bresenham's
// algorithm, after one division when the edge becomes active.
struct PolygonEdge {
  int32_t yTop, yBottom;  // rows whose centres the edge crosses: [yTop, yBottom)
  int winding;
  int64_t den, quotient, remainder;  // num = quotient * den + remainder, 0 <= remainder < den
  int64_t stepQuotient, stepRemainder;

  PolygonEdge(Point p, Point q, int w) : yTop(p.y), yBottom(q.y), winding(w) {
    const int64_t dx = int64_t{q.x} - p.x, dy = int64_t{q.y} - p.y;
    den = 2 * dy;
    const int64_t num = dx + (2 * int64_t{p.x} - 1) * dy;
    quotient = FloorDiv(num, den);
    remainder = num - quotient * den;
    stepQuotient = FloorDiv(2 * dx, den);
    stepRemainder = 2 * dx - stepQuotient * den;
  }
  int32_t FirstPixel() const { return static_cast<int32_t>(quotient + (remainder > 0 ? 1 : 0)); }
  // Moves the edge's top down to `row` (within its rows): where `rows`
  // calls of NextRow would leave it.
  void StartAt(int32_t row) {
    const int64_t rows = int64_t{row} - yTop;
    const int64_t num = quotient * den + remainder + (stepQuotient * den + stepRemainder) * rows;
    quotient = FloorDiv(num, den);
    remainder = num - quotient * den;
    yTop = row;
  }
  void NextRow() {
    quotient += stepQuotient;
    remainder += stepRemainder;
    if (remainder >= den) {
      remainder -= den;
      ++quotient;
    }
  }
  static int64_t FloorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
  }
};

}  // namespace

// Winding-rule fill with an active edge list; edges enter at their top row.
Region Region::FromPolygon(std::span<const Point> pts, int32_t firstRow, int32_t endRow) {
  const size_t n = pts.size();
  if (n < 3) return Region();
  std::vector<PolygonEdge> edges;
  edges.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    const Point p = pts[i], q = pts[(i + 1) % n];
    if (p.y < q.y)
      edges.emplace_back(p, q, 1);
    else if (p.y > q.y)
      edges.emplace_back(q, p, -1);
  }
  // Each edge cut to the rows asked for; the rows kept see the same edges at
  // the same places.
  for (PolygonEdge& e : edges) {
    if (e.yTop < firstRow && firstRow < e.yBottom) e.StartAt(firstRow);
    e.yTop = std::max(e.yTop, firstRow);
    e.yBottom = std::min(e.yBottom, endRow);
  }
  std::erase_if(edges, [](const PolygonEdge& e) { return e.yTop >= e.yBottom; });
  if (edges.empty()) return Region();
  std::sort(edges.begin(), edges.end(), [](const PolygonEdge& a, const PolygonEdge& b) { return a.yTop < b.yTop; });

  struct Crossing {
    int32_t x;
    int winding;
  };
  RegionRowBuilder builder;
  std::vector<PolygonEdge*> active;
  std::vector<Crossing> crossings;
  std::vector<Span> spans;
  size_t next = 0;
  int32_t y = edges[0].yTop;
  while (next < edges.size() || !active.empty()) {
    if (active.empty()) y = std::max(y, edges[next].yTop);
    while (next < edges.size() && edges[next].yTop <= y) active.push_back(&edges[next++]);
    crossings.clear();
    for (const PolygonEdge* e : active) crossings.push_back({e->FirstPixel(), e->winding});
    std::sort(crossings.begin(), crossings.end(), [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
    spans.clear();
    int winding = 0;
    for (const Crossing& c : crossings) {
      const int before = winding;
      winding += c.winding;
      if (before == 0 && winding != 0) {
        if (!spans.empty() && spans.back().x1 >= c.x)
          spans.back().x1 = std::max(spans.back().x1, c.x);
        else
          spans.push_back({c.x, c.x});
      }
      if (before != 0 && winding == 0) spans.back().x1 = std::max(spans.back().x1, c.x);
    }
    std::erase_if(spans, [](const Span& s) { return s.x0 >= s.x1; });
    builder.AddRow(y, spans);
    ++y;
    std::erase_if(active, [y](const PolygonEdge* e) { return e->yBottom <= y; });
    for (PolygonEdge* e : active) e->NextRow();
  }
  return builder.Finish();
}

}  // namespace raster
