#include "platform/raster/region.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <cstddef>
#include <cstring>

namespace raster {

namespace {

using Span = Region::Span;

// The x-intervals of the active rectangles (ordered by left edge), with
// overlapping or touching ones merged. The span being grown is kept in a
// local, not in the vector: this loop runs over every active rectangle of
// every band. Neighbours that touch and end on the same row are joined into
// one rectangle on the way: from here on they cover the same rows, so the
// union stays the same while later bands walk fewer rectangles (strips that
// grow from one edge share that edge).
void MergeIntervals(std::vector<Rect*>& active, std::vector<Span>& spans) {
  spans.clear();
  if (active.empty()) return;
  Span current{active[0]->left, active[0]->right};
  size_t kept = 0;
  for (Rect* r : active) {
    if (r->left > current.x1) {
      spans.push_back(current);
      current = {r->left, r->right};
    } else {
      current.x1 = std::max(current.x1, r->right);
    }
    Rect* previous = kept > 0 ? active[kept - 1] : nullptr;
    if (previous != nullptr && previous->bottom == r->bottom && r->left <= previous->right) {
      previous->right = std::max(previous->right, r->right);
    } else {
      active[kept++] = r;
    }
  }
  active.resize(kept);
  spans.push_back(current);
}

enum class Op { And, Or, Xor, Diff };

bool Apply(Op op, bool a, bool b) {
  switch (op) {
    case Op::And: return a && b;
    case Op::Or: return a || b;
    case Op::Xor: return a != b;
    case Op::Diff: return a && !b;
  }
  return false;
}

// Union of two sorted lists of disjoint spans: one merge of the two lists,
// overlapping and touching spans joined (as the boundary walk below joins
// them), at a fraction of that walk's cost per span.
void UniteSpans(std::span<const Span> a, std::span<const Span> b, std::vector<Span>& out) {
  out.clear();
  size_t ia = 0, ib = 0;
  while (ia < a.size() || ib < b.size()) {
    const bool fromA = ib == b.size() || (ia < a.size() && a[ia].x0 <= b[ib].x0);
    const Span s = fromA ? a[ia++] : b[ib++];
    if (!out.empty() && s.x0 <= out.back().x1) {
      out.back().x1 = std::max(out.back().x1, s.x1);
    } else {
      out.push_back(s);
    }
  }
}

// One-dimensional boolean operation on two sorted lists of disjoint spans.
void CombineSpans(std::span<const Span> a, std::span<const Span> b, Op op, std::vector<Span>& out) {
  if (op == Op::Or) {
    UniteSpans(a, b, out);
    return;
  }
  out.clear();
  size_t ia = 0, ib = 0;  // index of the next boundary: span ia/2, start if even
  bool inA = false, inB = false, inside = false;
  int32_t start = 0;
  auto boundary = [](std::span<const Span> s, size_t i) {
    return i >= 2 * s.size() ? INT_MAX : (i % 2 == 0 ? s[i / 2].x0 : s[i / 2].x1);
  };
  while (ia < 2 * a.size() || ib < 2 * b.size()) {
    const int32_t x = std::min(boundary(a, ia), boundary(b, ib));
    while (ia < 2 * a.size() && boundary(a, ia) == x) {
      inA = !inA;
      ++ia;
    }
    while (ib < 2 * b.size() && boundary(b, ib) == x) {
      inB = !inB;
      ++ib;
    }
    const bool now = Apply(op, inA, inB);
    if (now && !inside) start = x;
    if (!now && inside) out.push_back({start, x});
    inside = now;
  }
}

// True when no pixel of one rectangle lies in the other.
bool Disjoint(const Rect& a, const Rect& b) {
  return a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top;
}

// Union of two regions of which `upper` lies wholly above `lower`: the bands
// follow one another (touching equal bands are joined on the way).
Region Stacked(const Region& upper, const Region& lower) {
  RegionRowBuilder builder;
  for (const Region* r : {&upper, &lower}) {
    for (const Region::Band& band : r->bands()) builder.AddBand(band.y0, band.y1, r->SpansOf(band));
  }
  return builder.Finish();
}

Region CombineRegions(const Region& a, const Region& b, Op op) {
  // Fast paths: empty operands and disjoint bounds. Regions that share no
  // pixel have no intersection, lose nothing to a difference, and when one
  // lies above the other their union (and exclusive or) is just both bands
  // lists one after the other.
  if (a.IsEmpty() || b.IsEmpty()) {
    if (op == Op::And) return Region();
    if (op == Op::Diff) return a;
    return a.IsEmpty() ? b : a;
  }
  if (Disjoint(a.Bounds(), b.Bounds())) {
    if (op == Op::And) return Region();
    if (op == Op::Diff) return a;
    if (a.Bounds().bottom <= b.Bounds().top) return Stacked(a, b);
    if (b.Bounds().bottom <= a.Bounds().top) return Stacked(b, a);
  }
  // Each operand's band edges come in order already: merging them is enough.
  std::vector<int32_t> edgesA, edgesB, ys;
  for (const auto& [from, edges] : {std::pair{&a, &edgesA}, std::pair{&b, &edgesB}}) {
    edges->reserve(2 * from->bands().size());
    for (const auto& band : from->bands()) {
      edges->push_back(band.y0);
      edges->push_back(band.y1);
    }
  }
  ys.resize(edgesA.size() + edgesB.size());
  std::merge(edgesA.begin(), edgesA.end(), edgesB.begin(), edgesB.end(), ys.begin());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

  RegionRowBuilder builder;
  std::vector<Span> combined;
  size_t ia = 0, ib = 0;
  const std::span<const Span> none;
  for (size_t k = 0; k + 1 < ys.size(); ++k) {
    const int32_t y0 = ys[k], y1 = ys[k + 1];
    while (ia < a.bands().size() && a.bands()[ia].y1 <= y0) ++ia;
    while (ib < b.bands().size() && b.bands()[ib].y1 <= y0) ++ib;
    const bool hasA = ia < a.bands().size() && a.bands()[ia].y0 <= y0;
    const bool hasB = ib < b.bands().size() && b.bands()[ib].y0 <= y0;
    CombineSpans(hasA ? a.SpansOf(a.bands()[ia]) : none, hasB ? b.SpansOf(b.bands()[ib]) : none, op, combined);
    builder.AddBand(y0, y1, combined);
  }
  return builder.Finish();
}

}  // namespace

// Working storage of FromRects, kept by each thread from call to call: a
// frame's region is often built from thousands of rectangles, and vectors of
// that size allocated afresh come from the system again and again (a page
// fault for every 4 KiB, each frame).
struct SweepScratch {
  std::vector<Rect> live, sorted, up;
  std::vector<size_t> slot;
  std::vector<uint32_t> tops, bottoms;
  std::vector<Rect*> active, merged;
  std::vector<Span> spans;
};

namespace {

SweepScratch& ThreadScratch() {
  thread_local SweepScratch scratch;
  return scratch;
}

// Orders rectangles by top edge, keeping their listed order among equal tops
// (rectangles listed left to right then arrive in that order). The tops of
// one frame's strips and squares lie within a short range, where counting
// them out is linear; a wide range falls back to a stable sort.
void SortByTop(std::vector<Rect>& rects, SweepScratch& scratch) {
  auto byTop = [](const Rect& a, const Rect& b) { return a.top < b.top; };
  if (std::is_sorted(rects.begin(), rects.end(), byTop)) return;
  const auto [lowest, highest] = std::minmax_element(rects.begin(), rects.end(), byTop);
  const int32_t low = lowest->top;
  const int64_t range = int64_t{highest->top} - low + 1;
  if (range > 4 * int64_t(rects.size())) {
    std::stable_sort(rects.begin(), rects.end(), byTop);
    return;
  }
  std::vector<size_t>& slot = scratch.slot;
  slot.assign(size_t(range) + 1, 0);
  for (const Rect& r : rects) ++slot[size_t(r.top - low) + 1];
  for (size_t i = 1; i < slot.size(); ++i) slot[i] += slot[i - 1];
  std::vector<Rect>& sorted = scratch.sorted;
  sorted.resize(rects.size());
  for (const Rect& r : rects) sorted[slot[size_t(r.top - low)]++] = r;
  rects.swap(sorted);
}

// The sweep joins touching neighbours only once they end on the same row, so
// strips that share their top edge and end on rows of their own (columns
// hanging from the top edge, say) stay apart all the way down and every band
// walks all of them. Swept from the bottom up, the same strips share the edge
// they end on and merge as they arrive. Moves the rectangles whose top edge
// is shared by more rectangles than their bottom edge into `up`, turned
// upside down (y to -y); leaves everything in `rects` when too few move for
// the union of the two parts to pay, or the edges span too wide a range to
// count them out.
void SplitOffUpward(std::vector<Rect>& rects, SweepScratch& scratch) {
  constexpr size_t kWorthASecondSweep = 32;
  std::vector<Rect>& up = scratch.up;
  up.clear();
  if (rects.size() < kWorthASecondSweep) return;
  int32_t low = INT_MAX, high = INT_MIN;
  for (const Rect& r : rects) {
    low = std::min(low, r.top);
    high = std::max(high, r.bottom);
  }
  const int64_t range = int64_t{high} - low + 1;
  if (low == INT_MIN || range > 8 * int64_t(rects.size())) return;
  scratch.tops.assign(size_t(range), 0);
  scratch.bottoms.assign(size_t(range), 0);
  for (const Rect& r : rects) {
    ++scratch.tops[size_t(r.top - low)];
    ++scratch.bottoms[size_t(r.bottom - low)];
  }
  auto upward = [&](const Rect& r) {
    return scratch.tops[size_t(r.top - low)] > scratch.bottoms[size_t(r.bottom - low)];
  };
  if (size_t(std::count_if(rects.begin(), rects.end(), upward)) < kWorthASecondSweep) return;
  std::erase_if(rects, [&](const Rect& r) {
    if (!upward(r)) return false;
    up.push_back({r.left, -r.bottom, r.right, -r.top});
    return true;
  });
}

// The region turned upside down again (y to -y).
Region UpsideDown(const Region& region) {
  RegionRowBuilder builder;
  const auto bands = region.bands();
  for (auto band = bands.rbegin(); band != bands.rend(); ++band) {
    builder.AddBand(-band->y1, -band->y0, region.SpansOf(*band));
  }
  return builder.Finish();
}

}  // namespace

void Region::AppendBand(int32_t y0, int32_t y1, std::span<const Span> spans) {
  if (spans.empty() || y0 >= y1) return;
  if (bands_.empty()) {
    bounds_ = {spans.front().x0, y0, spans.back().x1, y1};
  } else {
    bounds_.left = std::min(bounds_.left, spans.front().x0);
    bounds_.right = std::max(bounds_.right, spans.back().x1);
    bounds_.bottom = y1;
    Band& last = bands_.back();
    if (last.y1 == y0 &&
        std::equal(spans.begin(), spans.end(), spans_.begin() + last.first, spans_.begin() + last.last)) {
      last.y1 = y1;
      return;
    }
  }
  const auto first = static_cast<uint32_t>(spans_.size());
  spans_.insert(spans_.end(), spans.begin(), spans.end());
  bands_.push_back({y0, y1, first, static_cast<uint32_t>(spans_.size())});
}

bool Region::Validate() const {
  if (bands_.empty()) return bounds_ == Rect{};
  Rect walked{INT_MAX, bands_.front().y0, INT_MIN, bands_.back().y1};
  for (const Band& b : bands_) {
    walked.left = std::min(walked.left, spans_[b.first].x0);
    walked.right = std::max(walked.right, spans_[b.last - 1].x1);
  }
  if (walked != bounds_) return false;
  for (size_t i = 0; i < bands_.size(); ++i) {
    const Band& b = bands_[i];
    if (b.y0 >= b.y1 || b.first >= b.last || b.last > spans_.size()) return false;
    if (i > 0 && bands_[i - 1].y1 > b.y0) return false;
    for (uint32_t s = b.first; s < b.last; ++s) {
      if (spans_[s].x0 >= spans_[s].x1) return false;
      if (s > b.first && spans_[s - 1].x1 >= spans_[s].x0) return false;
    }
  }
  return true;
}

Region RegionRowBuilder::Finish() {
  assert(region_.Validate());
  return std::move(region_);
}

Region Region::FromRect(const Rect& r) {
  Region region;
  if (!r.empty()) {
    const Span s{r.left, r.right};
    region.AppendBand(r.top, r.bottom, {&s, 1});
  }
  return region;
}

// Sweeps the rectangles from top to bottom; each band between two successive
// edges gets the union of the x-intervals of the rectangles covering it. The
// next edge is found among the few active rectangles, so only the tops need
// sorting (and rectangle lists built row by row come sorted already).
Region Region::FromRects(std::span<const Rect> rects) {
  SweepScratch& scratch = ThreadScratch();
  scratch.live.clear();
  for (const Rect& r : rects)
    if (!r.empty()) scratch.live.push_back(r);
  return SweepRects(scratch);
}

Region Region::FromPackedRects(const void* bytes, size_t count) {
  SweepScratch& scratch = ThreadScratch();
  scratch.live.resize(count);
  if (count > 0) std::memcpy(scratch.live.data(), bytes, count * sizeof(Rect));
  std::erase_if(scratch.live, [](const Rect& r) { return r.empty(); });
  return SweepRects(scratch);
}

Region Region::SweepRects(SweepScratch& scratch) {
  SplitOffUpward(scratch.live, scratch);
  if (scratch.up.empty()) return SweepDown(scratch.live, scratch);
  // The upward part is swept first: sweeping reorders the storage of both.
  const Region upward = UpsideDown(SweepDown(scratch.up, scratch));
  return SweepDown(scratch.live, scratch) | upward;
}

Region Region::SweepDown(std::vector<Rect>& live, SweepScratch& scratch) {
  if (live.empty()) return Region();
  if (live.size() == 1) return FromRect(live[0]);
  SortByTop(live, scratch);

  RegionRowBuilder builder;
  std::vector<Rect*>& active = scratch.active;
  std::vector<Rect*>& merged = scratch.merged;
  std::vector<Span>& spans = scratch.spans;
  active.clear();
  size_t next = 0;
  int32_t y = live[0].top;
  int32_t firstEnd = INT_MAX;  // the lowest bottom among the active rectangles
  auto byLeft = [](const Rect* a, const Rect* b) { return a->left < b->left; };
  while (next < live.size() || !active.empty()) {
    if (active.empty()) y = std::max(y, live[next].top);
    // The active list stays ordered by left edge: the rectangles arriving at
    // this band are sorted among themselves and merged in with one pass, so
    // that hundreds arriving at once cost no more than a sort.
    const size_t arrivedFrom = active.size();
    for (; next < live.size() && live[next].top <= y; ++next) {
      active.push_back(&live[next]);
      firstEnd = std::min(firstEnd, live[next].bottom);
    }
    if (active.size() > arrivedFrom) {
      const auto arrived = active.begin() + std::ptrdiff_t(arrivedFrom);
      if (!std::is_sorted(arrived, active.end(), byLeft)) std::sort(arrived, active.end(), byLeft);
      if (arrivedFrom > 0 && byLeft(*arrived, *(arrived - 1))) {
        merged.resize(active.size());
        std::merge(active.begin(), arrived, arrived, active.end(), merged.begin(), byLeft);
        active.swap(merged);
      }
    }
    const int32_t yNext = std::min(next < live.size() ? live[next].top : INT_MAX, firstEnd);
    MergeIntervals(active, spans);
    builder.AddBand(y, yNext, spans);
    y = yNext;
    // Only a band that some rectangle ends with needs a pass, which drops the
    // ended ones and finds the next end among the rest.
    if (firstEnd <= y) {
      firstEnd = INT_MAX;
      std::erase_if(active, [&](const Rect* r) {
        if (r->bottom <= y) return true;
        firstEnd = std::min(firstEnd, r->bottom);
        return false;
      });
    }
  }
  return builder.Finish();
}

size_t Region::FirstBandBelow(int32_t y) const {
  return static_cast<size_t>(
      std::partition_point(bands_.begin(), bands_.end(), [y](const Band& b) { return b.y1 <= y; }) - bands_.begin());
}

bool Region::Contains(int32_t x, int32_t y) const {
  const size_t i = FirstBandBelow(y);
  if (i == bands_.size() || bands_[i].y0 > y) return false;
  for (const Span& s : SpansOf(bands_[i])) {
    if (x < s.x0) return false;
    if (x < s.x1) return true;
  }
  return false;
}

int64_t Region::Area() const {
  int64_t area = 0;
  for (const Band& b : bands_) {
    int64_t width = 0;
    for (const Span& s : SpansOf(b)) width += int64_t{s.x1} - s.x0;
    area += width * (int64_t{b.y1} - b.y0);
  }
  return area;
}

void Region::Offset(int32_t dx, int32_t dy) {
  if (IsEmpty()) return;
  for (Band& b : bands_) {
    b.y0 += dy;
    b.y1 += dy;
  }
  for (Span& s : spans_) {
    s.x0 += dx;
    s.x1 += dx;
  }
  bounds_ = {bounds_.left + dx, bounds_.top + dy, bounds_.right + dx, bounds_.bottom + dy};
}

Region operator&(const Region& a, const Region& b) { return CombineRegions(a, b, Op::And); }
Region operator|(const Region& a, const Region& b) { return CombineRegions(a, b, Op::Or); }
Region operator^(const Region& a, const Region& b) { return CombineRegions(a, b, Op::Xor); }
Region operator-(const Region& a, const Region& b) { return CombineRegions(a, b, Op::Diff); }

bool operator==(const Region& a, const Region& b) {
  if (a.bands_.size() != b.bands_.size() || a.spans_.size() != b.spans_.size()) return false;
  for (size_t i = 0; i < a.bands_.size(); ++i) {
    if (a.bands_[i].y0 != b.bands_[i].y0 || a.bands_[i].y1 != b.bands_[i].y1) return false;
    if (!std::ranges::equal(a.SpansOf(a.bands_[i]), b.SpansOf(b.bands_[i]))) return false;
  }
  return true;
}

}  // namespace raster
