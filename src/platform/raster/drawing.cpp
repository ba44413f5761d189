#include "platform/raster/drawing.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

#include "platform/raster/pixel_copy.h"
#include "platform/raster/pixel_gather.h"
#include "platform/raster/scaled_row_plan.h"
#include "platform/raster/span_walk.h"

namespace raster {

namespace {

// Rectangle from 64-bit edges, clamped into 32 bits (callers intersect it with
// a bitmap right after, so the clamp never changes the outcome).
Rect ClampedRect(int64_t l, int64_t t, int64_t r, int64_t b) {
  auto c = [](int64_t v) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min() / 2, std::numeric_limits<int32_t>::max() / 2));
  };
  return {c(l), c(t), c(r), c(b)};
}

// Nearest source index for destination step i of n over a source run of m
// starting at s: pixel centres spread evenly.
inline int64_t NearestSource(int64_t s, int64_t i, int64_t m, int64_t n) { return s + ((2 * i + 1) * m) / (2 * n); }

// Destination range [lo, hi) of a possibly mirrored run, and the table of the
// source index for each destination position in it that maps inside the
// source. Positions mapping outside the source are trimmed from the ends
// (the mapping is monotone, so they only occur there).
struct AxisMap {
  int32_t lo = 0, hi = 0;
  std::vector<int32_t> source;  // source index for lo..hi-1
};

AxisMap MapAxis(int32_t d, int32_t dn, int32_t s, int32_t sn, int32_t dstLimit, int32_t srcLimit) {
  const int64_t n = dn < 0 ? -int64_t{dn} : dn;
  const int64_t lo = dn > 0 ? d : int64_t{d} + dn + 1;
  const int64_t from = std::max<int64_t>(lo, 0), to = std::min<int64_t>(lo + n, dstLimit);
  AxisMap map;
  if (from >= to) return map;
  std::vector<int32_t> table;
  table.reserve(static_cast<size_t>(to - from));
  int64_t first = -1, last = -1;
  for (int64_t x = from; x < to; ++x) {
    const int64_t i = dn > 0 ? x - d : d - x;
    const int64_t src = NearestSource(s, i, sn, n);
    if (src < 0 || src >= srcLimit) continue;
    if (first < 0) first = x;
    last = x;
    table.push_back(static_cast<int32_t>(src));
  }
  if (first < 0) return map;
  map.lo = static_cast<int32_t>(first);
  map.hi = static_cast<int32_t>(last + 1);
  map.source = std::move(table);
  return map;
}

// Where a copy along one axis reads, compared with where it writes: every
// source position at or after its destination position (Ahead), at or before
// it (Behind), exactly at it (Same), or some of both (Mixed). This decides
// whether a copy within one bitmap can walk so that it reads before it writes.
enum class ReadAhead { Same, Ahead, Behind, Mixed };

ReadAhead ReadsRelativeToWrites(const AxisMap& map) {
  bool ahead = false, behind = false;
  for (int32_t p = map.lo; p < map.hi; ++p) {
    const int32_t source = map.source[size_t(p - map.lo)];
    ahead |= source > p;
    behind |= source < p;
  }
  if (ahead && behind) return ReadAhead::Mixed;
  return ahead ? ReadAhead::Ahead : behind ? ReadAhead::Behind : ReadAhead::Same;
}

// A copy narrower than the bitmap starts a new memory stream on every row,
// which the hardware prefetcher picks up only after a few lines; asking for
// the first lines of the next row while this one is copied hides that start.
// `step` is the direction the run is walked in (+1 or -1); lines outside the
// bitmap are only hinted at, never read.
template <bool ForWriting>
inline void PrefetchRunStart(const uint32_t* p, int32_t step) {
  constexpr int32_t kLines = 8, kLineBytes = 64;
  const auto start = reinterpret_cast<uintptr_t>(p);
  for (int32_t line = 0; line < kLines; ++line) {
    const auto* at = reinterpret_cast<const void*>(start + uintptr_t(intptr_t{step} * line * kLineBytes));
    __builtin_prefetch(at, ForWriting ? 1 : 0);
  }
}

}  // namespace

RegionPtr CreateRectRgn(int32_t l, int32_t t, int32_t r, int32_t b) {
  return std::make_unique<Region>(Region::FromRect({l, t, r, b}));
}

RegionPtr CreateRoundRectRgn(int32_t l, int32_t t, int32_t r, int32_t b, int32_t w, int32_t h) {
  return std::make_unique<Region>(Region::FromRoundRect({l, t, r, b}, w, h));
}

RegionPtr CreateEllipticRgn(int32_t l, int32_t t, int32_t r, int32_t b) {
  return std::make_unique<Region>(Region::FromEllipse({l, t, r, b}));
}

RegionPtr CreatePolygonRgn(const Point* pts, int32_t count, int /*mode: winding only*/) {
  if (count < 0) return nullptr;
  return std::make_unique<Region>(Region::FromPolygon({pts, static_cast<size_t>(count)}));
}

RegionPtr ExtCreateRegion(const void* data, uint32_t size) {
  if (data == nullptr || size < sizeof(RGNDATAHEADER)) return nullptr;
  RGNDATAHEADER header;
  std::memcpy(&header, data, sizeof header);
  if (header.dwSize != sizeof(RGNDATAHEADER) || header.iType != RDH_RECTANGLES) return nullptr;
  if (uint64_t{header.nCount} * sizeof(Rect) > size - sizeof(RGNDATAHEADER)) return nullptr;
  return std::make_unique<Region>(
      Region::FromPackedRects(static_cast<const char*>(data) + sizeof(RGNDATAHEADER), header.nCount));
}

int CombineRgn(Region* dest, const Region* a, const Region* b, int mode) {
  if (dest == nullptr || a == nullptr || b == nullptr) return RGN_ERROR;
  switch (mode) {
    case RGN_AND: *dest = *a & *b; break;
    case RGN_OR: *dest = *a | *b; break;
    case RGN_XOR: *dest = *a ^ *b; break;
    case RGN_DIFF: *dest = *a - *b; break;
    default: return RGN_ERROR;
  }
  return dest->IsEmpty() ? NULLREGION : (dest->IsRect() ? SIMPLEREGION : COMPLEXREGION);
}

void SelectClipRgn(Bitmap& surface, const Region* region) {
  surface.SetClipRegion(region ? std::optional<Region>(*region) : std::nullopt);
}

void ExcludeClipRect(Bitmap& surface, int32_t l, int32_t t, int32_t r, int32_t b) {
  const Region current = surface.ClipRegion() ? *surface.ClipRegion() : Region::FromRect(surface.Bounds());
  surface.SetClipRegion(current - Region::FromRect({l, t, r, b}));
}

void SetStretchBltMode(Bitmap& surface, int mode) { surface.SetStretchMode(mode); }

void BitBlt(Bitmap& dst, int32_t xd, int32_t yd, int32_t w, int32_t h, const Bitmap& src, int32_t xs, int32_t ys) {
  if (w <= 0 || h <= 0 || dst.Empty() || src.Empty()) return;
  const int64_t dx = int64_t{xs} - xd, dy = int64_t{ys} - yd;
  Rect area = Intersect(ClampedRect(xd, yd, int64_t{xd} + w, int64_t{yd} + h), dst.Bounds());
  area = Intersect(area, ClampedRect(-dx, -dy, src.Width() - dx, src.Height() - dy));
  if (area.empty()) return;
  const int32_t ox = static_cast<int32_t>(dx), oy = static_cast<int32_t>(dy);
  // Within one bitmap, walk so that no source pixel is overwritten before it is read.
  // Between two bitmaps, walk bottom-up: that is memory order (rows are stored
  // bottom-up), which the prefetcher follows; clips of many short runs copy
  // about twice as fast that way.
  const bool same = &src == &dst;
  const bool bottomUp = same ? oy < 0 : true;
  const bool rightToLeft = same && oy == 0 && ox < 0;
  if (!same && dst.ClipRegion() == nullptr && (area.width() < dst.Width() || area.width() < src.Width())) {
    // A block narrower than either bitmap: every row is a new stream.
    for (int32_t y = area.bottom - 1; y >= area.top; --y) {
      if (y > area.top) {
        PrefetchRunStart<false>(src.Row(y - 1 + oy) + area.left + ox, 1);
        PrefetchRunStart<true>(dst.Row(y - 1) + area.left, 1);
      }
      CopyPixels(dst.Row(y) + area.left, src.Row(y + oy) + area.left + ox, size_t(area.width()));
    }
    return;
  }
  ForEachClippedSpan(dst.ClipRegion(), area, bottomUp, rightToLeft, [&](int32_t y, int32_t x0, int32_t x1) {
    if (same) {
      std::memmove(dst.Row(y) + x0, src.Row(y + oy) + x0 + ox, size_t(x1 - x0) * sizeof(uint32_t));
    } else {
      CopyPixels(dst.Row(y) + x0, src.Row(y + oy) + x0 + ox, size_t(x1 - x0));
    }
  });
}

void StretchBlt(Bitmap& dst, int32_t xd, int32_t yd, int32_t wd, int32_t hd, const Bitmap& src, int32_t xs, int32_t ys,
                int32_t ws, int32_t hs) {
  if (wd == 0 || hd == 0 || ws == 0 || hs == 0 || dst.Empty() || src.Empty()) return;
  // A mirrored source is the same as a mirrored destination.
  if (ws < 0) {
    xs += ws + 1;
    ws = -ws;
    wd = -wd;
  }
  if (hs < 0) {
    ys += hs + 1;
    hs = -hs;
    hd = -hd;
  }
  if (wd == ws && hd == hs) {
    BitBlt(dst, xd, yd, wd, hd, src, xs, ys);
    return;
  }
  const AxisMap cols = MapAxis(xd, wd, xs, ws, dst.Width(), src.Width());
  const AxisMap rows = MapAxis(yd, hd, ys, hs, dst.Height(), src.Height());
  if (cols.lo >= cols.hi || rows.lo >= rows.hi) return;
  const ReadAhead colReads = ReadsRelativeToWrites(cols), rowReads = ReadsRelativeToWrites(rows);
  if (&src == &dst && (colReads == ReadAhead::Mixed || rowReads == ReadAhead::Mixed)) {
    // No walking order reads every source pixel before it is overwritten.
    Bitmap copy;
    copy.Assign(src);
    StretchBlt(dst, xd, yd, wd, hd, copy, xs, ys, ws, hs);
    return;
  }
  // Within one bitmap, walk away from the reads: rows bottom-up when every
  // row reads from above (or at) itself, a row's pixels right to left when
  // every column reads from the left (or at) itself. Between two bitmaps,
  // and for rows that each read only themselves, walk one way through memory
  // (rows are stored bottom-up), which the prefetcher follows.
  const bool same = &src == &dst;
  const bool rightToLeft = same && colReads == ReadAhead::Behind;
  const bool bottomUp = !same || rowReads == ReadAhead::Behind || (rowReads == ReadAhead::Same && !rightToLeft);
  const bool unitColumns = wd == ws;
  const bool reversedRun = wd == -ws && !same;  // a mirror without scaling reads each run backwards
  const int32_t* colSource = cols.source.data() - cols.lo;
  const int32_t* rowSource = rows.source.data() - rows.lo;
  auto copyRun = [&](int32_t y, int32_t x0, int32_t x1) {
    uint32_t* d = dst.Row(y);
    const uint32_t* s = src.Row(rowSource[y]);
    if (unitColumns) {
      if (same) {
        std::memmove(d + x0, s + colSource[x0], size_t(x1 - x0) * sizeof(uint32_t));
      } else {
        CopyPixels(d + x0, s + colSource[x0], size_t(x1 - x0));
      }
    } else if (reversedRun) {
      std::reverse_copy(s + colSource[x1 - 1], s + colSource[x0] + 1, d + x0);
    } else {
      GatherPixels(d + x0, s, colSource + x0, x1 - x0, src.Width(), rightToLeft);
    }
  };
  const Rect area{cols.lo, rows.lo, cols.hi, rows.hi};
  if (dst.ClipRegion() != nullptr) {
    ForEachClippedSpan(dst.ClipRegion(), area, bottomUp, rightToLeft, copyRun);
    return;
  }
  // Unclipped: a destination row drawn from the same source row as the row
  // drawn just before it is a copy of that row; the others share one plan of
  // the column mapping.
  const size_t width = size_t(area.width());
  const ScaledRowPlan plan(cols.source.data(), unitColumns ? 0 : area.width(), src.Width());
  const int32_t firstColumn = rightToLeft ? area.right - 1 : area.left;
  const int32_t lastColumn = rightToLeft ? area.left : area.right - 1;
  const int32_t sourceStep = colSource[lastColumn] >= colSource[firstColumn] ? 1 : -1;
  // Rows that read all of their source row follow each other in memory, and
  // the hardware prefetcher streams them. Rows that read part of it start a
  // new stream on every row; for those each block asks for its source pixels
  // one row ahead. Not when a row is stretched to more than twice its width:
  // then several blocks share each source line, and the prefetches cost more
  // than they bring.
  const int32_t sourceColumns = std::abs(colSource[lastColumn] - colSource[firstColumn]) + 1;
  const bool fetchRowAhead = sourceColumns < src.Width() && 2 * int64_t{sourceColumns} >= area.width();
  for (int32_t k = 0; k < area.height(); ++k) {
    const int32_t y = bottomUp ? area.bottom - 1 - k : area.top + k;
    const int32_t previous = bottomUp ? y + 1 : y - 1;
    if (k > 0 && rowSource[y] == rowSource[previous]) {
      CopyPixels(dst.Row(y) + area.left, dst.Row(previous) + area.left, width);
    } else if (unitColumns) {
      copyRun(y, area.left, area.right);
    } else {
      const uint32_t* ahead = nullptr;
      if (k + 1 < area.height()) {
        const int32_t next = bottomUp ? y - 1 : y + 1;
        PrefetchRunStart<false>(src.Row(rowSource[next]) + colSource[firstColumn], sourceStep);
        PrefetchRunStart<true>(dst.Row(next) + firstColumn, rightToLeft ? -1 : 1);
        if (fetchRowAhead) ahead = src.Row(rowSource[next]);
      }
      plan.Run(dst.Row(y) + area.left, src.Row(rowSource[y]), rightToLeft, ahead);
    }
  }
}

}  // namespace raster
