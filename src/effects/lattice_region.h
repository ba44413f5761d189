#pragma once
#include <cstdint>

#include "platform/raster/region.h"

namespace effects {

// Lattice points (x0 + i dx, y0 + j dy) for 0 <= i < columns, 0 <= j < rows;
// dx and dy are positive.
struct TLattice {
  int32_t x0, dx, columns;
  int32_t y0, dy, rows;
};

// The union of `shape` moved to every lattice point (the shape's origin goes
// onto the point). Equal to uniting the moved copies one by one, built row by
// row instead: a row's spans are the shape's rows that the lattice rows put
// there, repeated once per column.
raster::Region LatticeUnion(const raster::Region& shape, const TLattice& lattice);

}  // namespace effects
