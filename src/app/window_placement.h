#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

namespace app {

// Moves a window's wanted top-left position just enough that a person can
// still reach it on the screen area `available`: its top edge (where a drag
// starts) and the part `mustShow` (in window coordinates, the exit button)
// stay on screen, and its left edge too where the screen is wide enough for
// both. A window that fits and lies on screen is left where it is.
QPoint KeepReachable(QPoint wanted, QSize window, const QRect& available, const QRect& mustShow);

// Where a borderless window of `window` size goes at start: centred on
// `available`, then kept reachable as above.
QPoint PlaceWindow(QSize window, const QRect& available, const QRect& mustShow);

}  // namespace app
