#pragma once
#include <QImage>

namespace pictures {

// The arrow of the drop-down lists: a light downward triangle on a transparent
// ground, `scale` times 10 x 6 pixels (1 for ordinary screens, 2 for the @2x
// file that high-density screens pick), drawn at each scale for crisp edges.
QImage DrawDropDownArrow(int scale);

}  // namespace pictures
