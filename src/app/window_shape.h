#pragma once
#include <QRegion>

namespace app {

// The outline of the main window: the rounded rectangle from (5, 4) to
// (1195, 845), right and bottom outside, corners rounded by an 80 x 80
// ellipse, pixel for pixel as the raster layer's rounded-rectangle region.
QRegion RoundedWindowShape();

// Whether the window's outline has to come from its picture's alpha: a
// Wayland compositor takes a window's shape as its input region only and
// shows the whole buffer, so there the window is a translucent top-level and
// the device picture, transparent outside the outline, draws the outline.
// The X11 shape cuts the window itself and needs no alpha.
bool OutlineNeedsTranslucency();

}  // namespace app
