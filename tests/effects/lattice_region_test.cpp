// LatticeUnion against uniting the moved copies of the shape one by one.
#include <gtest/gtest.h>

#include <random>

#include "effects/lattice_region.h"

namespace {

using raster::Point;
using raster::Region;

Region OneByOne(const Region& shape, const effects::TLattice& L) {
  Region all;
  for (int32_t i = 0; i < L.columns; ++i)
    for (int32_t j = 0; j < L.rows; ++j) {
      Region moved = shape;
      moved.Offset(L.x0 + i * L.dx, L.y0 + j * L.dy);
      all = all | moved;
    }
  return all;
}

TEST(LatticeUnion, EqualsUnitingMovedCopies) {
  std::mt19937 rng(4242);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(rng); };
  for (int trial = 0; trial < 300; ++trial) {
    const int32_t d = pick(0, 25), e = pick(0, 25);
    Region shape;
    switch (pick(0, 3)) {
      case 0: {
        const Point p[] = {{-d, -e}, {0, e}, {d, -e}};
        shape = Region::FromPolygon(p);
        break;
      }
      case 1: {
        const Point p[] = {{-d, 0}, {0, -e}, {d, 0}, {0, e}};
        shape = Region::FromPolygon(p);
        break;
      }
      case 2: shape = Region::FromEllipse({-d, -e, d, e}); break;
      default: {  // two separate pieces per row
        const raster::Rect r[] = {{-d, -e, -d + 3, e}, {d, -e, d + 2, e + 4}};
        shape = Region::FromRects(r);
      }
    }
    const effects::TLattice L{pick(-10, 10), pick(1, 20), pick(0, 6), pick(-10, 10), pick(1, 20), pick(0, 6)};
    ASSERT_EQ(OneByOne(shape, L), effects::LatticeUnion(shape, L)) << "trial " << trial;
  }
}

}  // namespace
