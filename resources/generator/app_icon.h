#pragma once
#include <QImage>
#include <span>

namespace pictures {

// The program's icon, `size` x `size` with alpha: the dark tablet of the main
// window in landscape, its screen showing two demonstration photos met by a
// diagonal edge, as in the middle of a transition. Drawn at each size rather
// than scaled, so small icons keep crisp edges.
QImage DrawAppIcon(int size);

// The sizes the desktop's icon theme looks for under hicolor/<size>x<size>/apps.
std::span<const int> AppIconSizes();

}  // namespace pictures
