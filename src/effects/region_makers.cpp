#include "effects/region_makers.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "effects/complex_region.h"
#include "platform/raster/random.h"

namespace effects {

namespace {

inline int32_t RoundExt(long double v) { return static_cast<int32_t>(std::nearbyintl(v)); }

// One direction of the bar region. `along` is the bars' length axis (the
// picture's W for rows), `across` the axis the bars are stacked on; `add`
// receives (from, s, to, s + D) in the length/stack coordinates.
template <class Add>
void AddBars(int32_t E, int32_t along, int32_t across, int32_t D, int32_t mode, Add add) {
  const bool secondHalf = E > along;
  for (int32_t s = secondHalf ? D : 0; s < across + D; s += 2 * D) {
    if (secondHalf) {
      if (mode == BarMode::FromEnd || mode == BarMode::StartThenEnd) add(2 * along - E, s, along, s + D);
      if (mode == BarMode::FromStart || mode == BarMode::EndThenStart) add(0, s, E - along, s + D);
      add(0, s - D, along, s);
    } else if (mode == BarMode::FromEnd || mode == BarMode::EndThenStart) {
      add(along - E, s, along, s + D);
    } else if (mode == BarMode::FromStart || mode == BarMode::StartThenEnd) {
      add(0, s, E, s + D);
    } else if (mode == BarMode::BothWays) {
      add(0, s + D, E, s + 2 * D);
      add(along - E, s, along, s + D);
    }
  }
}

}  // namespace

raster::RegionPtr CreateBarRgn(int32_t X, int32_t Y, int32_t W, int32_t H, int32_t XMode, int32_t YMode) {
  const int32_t D = std::min(W, H) / 50 + 1;
  TComplexRegion rgn;
  AddBars(X, W, H, D, XMode, [&](int32_t a0, int32_t s0, int32_t a1, int32_t s1) { rgn.AddRect(a0, s0, a1, s1); });
  AddBars(Y, H, W, D, YMode, [&](int32_t a0, int32_t s0, int32_t a1, int32_t s1) { rgn.AddRect(s0, a0, s1, a1); });
  return rgn.CreateRegion();
}

raster::RegionPtr CreatePourRgn(int32_t X, int32_t Y, int32_t W, int32_t H, int32_t XMode, int32_t YMode) {
  const int32_t D = std::min(W, H) / 200 + 1;
  const int32_t WD = W % D, HD = H % D, mW = W / 2, mH = H / 2;
  // One draw per strip, claimed from the shared generator in one step.
  auto strips = [D](int32_t length) { return length > 0 ? (length + D - 1) / D : 0; };
  raster::TPinnedRandom draws =
      raster::ClaimDraws((XMode != PourMode::Off ? strips(H) : 0) + (YMode != PourMode::Off ? strips(W) : 0));
  TComplexRegion rgn;
  if (XMode != PourMode::Off) {
    const int32_t N = X < W ? W / 10 : 0;
    for (int32_t s = 0; s < H; s += D) {
      const int32_t R = X + draws.Random(2 * N) - N;
      const int32_t B = s + D + HD;
      const int32_t m = R / 2;
      switch (XMode) {
        case PourMode::FromEnd: rgn.AddRect(W - R, s, W, B); break;
        case PourMode::FromStart: rgn.AddRect(0, s, R, B); break;
        case PourMode::OutFromMiddle:
          rgn.AddRect(mW - m, s, mW, B);
          rgn.AddRect(mW, s, mW + m, B);
          break;
        default:
          rgn.AddRect(W - m, s, W, B);
          rgn.AddRect(0, s, m, B);
          break;
      }
    }
  }
  if (YMode != PourMode::Off) {
    const int32_t N = Y < H ? H / 10 : 0;
    for (int32_t s = 0; s < W; s += D) {
      const int32_t R = Y + draws.Random(2 * N) - N;
      const int32_t Rt = s + D + WD;
      const int32_t m = R / 2;
      switch (YMode) {
        case PourMode::FromEnd: rgn.AddRect(s, H - R, Rt, H); break;
        case PourMode::FromStart: rgn.AddRect(s, 0, Rt, R); break;
        case PourMode::OutFromMiddle:
          rgn.AddRect(s, mH - m, Rt, mH);
          rgn.AddRect(s, mH, Rt, mH + m);
          break;
        default:
          rgn.AddRect(s, H - m, Rt, H);
          rgn.AddRect(s, 0, Rt, m);
          break;
      }
    }
  }
  return rgn.CreateRegion();
}

namespace {

// Squares scattered ahead of an edge along one row (or column): one draw per
// candidate, farthest first. `add(I)` adds the square I steps ahead.
struct SwarmParams {
  int32_t scatterDepth;  // how far ahead of the edge squares may appear (0 once the edge is through)
  int32_t squareSize;  // side of each square, at least 2
  int32_t rowStep;  // distance between rows of squares: half a square, so rows overlap
  int32_t candidates;  // square positions per row, counted from the edge
  int32_t nearCandidates;  // positions close enough to the edge to be drawn twice as often
};

SwarmParams SwarmFor(int32_t extent, int32_t size) {
  SwarmParams p;
  p.scatterDepth = extent < size ? size / 10 : 0;
  p.squareSize = std::max(p.scatterDepth / 20, 2);
  p.rowStep = p.squareSize / 2;
  p.candidates = p.scatterDepth / p.squareSize;
  p.nearCandidates = (3 * p.scatterDepth) / (4 * p.squareSize);
  return p;
}

// The draws of all rows (or columns) of squares across `extent`, one every
// p.rowStep, claimed from the shared generator at once: each row takes
// exactly p.candidates of them, one atomic step for the region instead of one
// per row.
raster::TPinnedRandom ClaimScatterDraws(const SwarmParams& p, int32_t extent) {
  const int32_t rows = extent > 0 ? (extent + p.rowStep - 1) / p.rowStep : 0;
  return raster::ClaimDraws(rows * p.candidates);
}

// Every row (or column) of squares also covers the edge's side of the frame
// with one strip a square wide. The strips start every p.rowStep, at most a
// square apart, so together they cover one rectangle from 0 to the last
// strip's far side: added as that one rectangle, the region is the same, and
// the sweep that builds it does not carry hundreds of strips through every
// band. 0 when there are no rows: then nothing is added.
int32_t SwarmReach(const SwarmParams& p, int32_t extent) {
  if (extent <= 0) return 0;
  const int32_t lastStart = (extent - 1) / p.rowStep * p.rowStep;
  return lastStart + p.squareSize;
}

// Whether a square is drawn is a coin toss no branch predictor can learn, so
// a row's squares are decided first, without branching, and added after.
template <class Add>
void Scatter(const SwarmParams& p, raster::TPinnedRandom& draws, std::vector<int32_t>& chosen, Add add) {
  chosen.resize(size_t(std::max(p.candidates, 0)));
  size_t count = 0;
  for (int32_t I = p.candidates; I >= 1; --I) {
    const int32_t r = draws.Random(I);
    chosen[count] = I;
    count += (I <= p.nearCandidates ? r <= 1 : r == 0) ? 1 : 0;
  }
  for (size_t k = 0; k < count; ++k) add(chosen[k]);
}

}  // namespace

raster::RegionPtr CreateSwarmRgn(int32_t X, int32_t Y, int32_t W, int32_t H, int32_t XMode, int32_t YMode) {
  TComplexRegion rgn;
  std::vector<int32_t> chosen;
  if (XMode != SwarmMode::Off) {
    const SwarmParams p = SwarmFor(X, W);
    const int32_t M = p.squareSize;
    raster::TPinnedRandom draws = ClaimScatterDraws(p, H);
    // First, so that the rectangles stay listed by top edge, as the sweep
    // takes them without sorting.
    const int32_t reach = SwarmReach(p, H);
    if (reach > 0) {
      const int32_t left = XMode == SwarmMode::FromEnd ? W - X : 0;
      rgn.AddRect(left, 0, left + X, reach);
    }
    for (int32_t Y1 = 0; Y1 < H; Y1 += p.rowStep) {
      if (XMode == SwarmMode::FromEnd) {
        Scatter(p, draws, chosen, [&](int32_t I) {
          const int32_t X1 = W - X - I * M;
          rgn.AddRect(X1, Y1, X1 + M, Y1 + M);
        });
      } else {
        Scatter(p, draws, chosen, [&](int32_t I) {
          const int32_t X1 = X + I * M;
          rgn.AddRect(X1 - M, Y1, X1, Y1 + M);
        });
      }
    }
  }
  if (YMode != SwarmMode::Off) {
    const SwarmParams p = SwarmFor(Y, H);
    const int32_t M = p.squareSize;
    raster::TPinnedRandom draws = ClaimScatterDraws(p, W);
    const int32_t reach = SwarmReach(p, W);
    if (reach > 0) {
      const int32_t top = YMode == SwarmMode::FromEnd ? H - Y : 0;
      rgn.AddRect(0, top, reach, top + Y);
    }
    for (int32_t X1 = 0; X1 < W; X1 += p.rowStep) {
      if (YMode == SwarmMode::FromEnd) {
        Scatter(p, draws, chosen, [&](int32_t I) {
          const int32_t Y1 = H - Y - I * M;
          rgn.AddRect(X1, Y1, X1 + M, Y1 + M);
        });
      } else {
        Scatter(p, draws, chosen, [&](int32_t I) {
          const int32_t Y1 = Y + I * M;
          rgn.AddRect(X1, Y1 - M, X1 + M, Y1);
        });
      }
    }
  }
  return rgn.CreateRegion();
}

raster::RegionPtr CreateSliceRgn(int32_t mX, int32_t mY, int32_t Radius, long double StartAngle, long double EndAngle,
                                 int32_t NumPts) {
  std::vector<raster::Point> pts(size_t(std::max(NumPts, 0)) + 1);
  pts[0] = {mX, mY};
  const long double delta = (EndAngle - StartAngle) / NumPts;
  long double a = StartAngle;
  for (int32_t i = 1; i <= NumPts; ++i) {
    pts[size_t(i)] = {RoundExt(Radius * std::cos(a)) + mX, RoundExt(Radius * std::sin(a)) + mY};
    a += delta;
  }
  return raster::CreatePolygonRgn(pts.data(), int32_t(pts.size()), raster::WINDING);
}

namespace {

std::vector<raster::Point> PointsOf(std::span<const int32_t> Pts) {
  std::vector<raster::Point> pts(Pts.size() / 2);
  for (size_t i = 0; i < pts.size(); ++i) pts[i] = {Pts[2 * i], Pts[2 * i + 1]};
  return pts;
}

}  // namespace

raster::RegionPtr CreatePolygonRgnEx(std::span<const int32_t> Pts) {
  const std::vector<raster::Point> pts = PointsOf(Pts);
  return raster::CreatePolygonRgn(pts.data(), int32_t(pts.size()), raster::WINDING);
}

raster::RegionPtr CreatePolygonRgnInFrame(std::span<const int32_t> Pts, int32_t H) {
  return std::make_unique<raster::Region>(raster::Region::FromPolygon(PointsOf(Pts), 0, H));
}

void RotatePoints(std::span<raster::Point> Points, int32_t xOrg, int32_t yOrg, long double Angle) {
  const long double s = std::sin(Angle), c = std::cos(Angle);
  for (raster::Point& p : Points) {
    const int32_t dx = p.x - xOrg, dy = p.y - yOrg;
    p.x = RoundExt(dx * c - dy * s) + xOrg;
    p.y = RoundExt(dx * s + dy * c) + yOrg;
  }
}

}  // namespace effects
