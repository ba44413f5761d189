#pragma once
#include <QRegion>

namespace app {

// The outline of the main window: the rounded rectangle from (5, 4) to
// (1195, 845), right and bottom outside, corners rounded by an 80 x 80
// ellipse, pixel for pixel as the raster layer's rounded-rectangle region.
QRegion RoundedWindowShape();

}  // namespace app
