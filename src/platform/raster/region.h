#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/raster/geometry.h"

namespace raster {

struct SweepScratch;

// A set of pixels kept as sorted y-bands of sorted, disjoint x-spans (the
// classic banded representation). Bands never overlap, hold at least one
// span, and two touching bands never have equal spans (they would be merged).
// An empty region has no bands. Whether a region exists at all ("no region")
// is the owner's business: see RegionPtr in drawing.h.
class Region {
 public:
  struct Span {
    int32_t x0, x1;
    friend bool operator==(const Span&, const Span&) = default;
  };
  struct Band {
    int32_t y0, y1;
    uint32_t first, last;  // spans [first, last) of spans()
  };

  Region() = default;
  static Region FromRect(const Rect& r);
  // Union of the rectangles; empty and inverted ones add nothing.
  static Region FromRects(std::span<const Rect> rects);
  // The same for `count` rectangles stored one after another at `bytes`, as
  // in a region-data block (read with memcpy: the bytes need no alignment).
  static Region FromPackedRects(const void* bytes, size_t count);
  static Region FromRoundRect(const Rect& r, int32_t w, int32_t h);
  static Region FromEllipse(const Rect& r);
  // Winding-rule fill of the closed polygon through the points; only its
  // rows from `firstRow` up to (not including) `endRow`, when given, which is
  // the whole fill intersected with those rows, built without the others.
  static Region FromPolygon(std::span<const Point> pts, int32_t firstRow = INT32_MIN, int32_t endRow = INT32_MAX);

  bool IsEmpty() const { return bands_.empty(); }
  bool IsRect() const { return bands_.size() == 1 && spans_.size() == 1; }
  // The smallest rectangle holding every pixel; all zero when empty. Kept up
  // to date as bands are added, so asking costs nothing.
  const Rect& Bounds() const { return bounds_; }
  bool Contains(int32_t x, int32_t y) const;
  std::span<const Band> bands() const { return bands_; }
  std::span<const Span> spans() const { return spans_; }
  std::span<const Span> SpansOf(const Band& b) const { return {spans_.data() + b.first, spans_.data() + b.last}; }
  // Index of the first band whose bottom lies below y.
  size_t FirstBandBelow(int32_t y) const;
  // Pixel count; handy for tests and statistics.
  int64_t Area() const;
  void Offset(int32_t dx, int32_t dy);

  friend Region operator&(const Region& a, const Region& b);
  friend Region operator|(const Region& a, const Region& b);
  friend Region operator^(const Region& a, const Region& b);
  friend Region operator-(const Region& a, const Region& b);
  friend bool operator==(const Region& a, const Region& b);
  Region& operator&=(const Region& other) { return *this = *this & other; }
  Region& operator|=(const Region& other) { return *this = *this | other; }
  Region& operator^=(const Region& other) { return *this = *this ^ other; }
  Region& operator-=(const Region& other) { return *this = *this - other; }

 private:
  friend class RegionRowBuilder;
  // The union of scratch.live, the rectangles there all non-empty.
  static Region SweepRects(SweepScratch& scratch);
  // The union of `live` (non-empty rectangles, reordered) in one sweep down.
  static Region SweepDown(std::vector<Rect>& live, SweepScratch& scratch);
  void AppendBand(int32_t y0, int32_t y1, std::span<const Span> spans);
  bool Validate() const;

  std::vector<Band> bands_;
  std::vector<Span> spans_;
  Rect bounds_;
};

// Builds a region from rows supplied top to bottom; rows may be skipped.
class RegionRowBuilder {
 public:
  using Span = Region::Span;
  // Spans of row y, sorted and disjoint; y must grow from call to call.
  void AddRow(int32_t y, std::span<const Span> spans) { AddBand(y, y + 1, spans); }
  void AddBand(int32_t y0, int32_t y1, std::span<const Span> spans) { region_.AppendBand(y0, y1, spans); }
  Region Finish();

 private:
  Region region_;
};

}  // namespace raster
