#include "app/window_placement.h"

#include <algorithm>

namespace app {

QPoint KeepReachable(QPoint wanted, QSize window, const QRect& available, const QRect& mustShow) {
  const QRect placed(wanted, window);
  int x = wanted.x();
  // Whole on screen where it fits, its left edge on screen otherwise ...
  x = std::min(x, available.right() - placed.width() + 1);
  x = std::max(x, available.left());
  // ... unless that hides `mustShow`, which counts more.
  x = std::min(x, available.right() - mustShow.right());
  x = std::max(x, available.left() - mustShow.left());
  int y = wanted.y();
  y = std::min(y, available.bottom() - placed.height() + 1);
  y = std::min(y, available.bottom() - mustShow.bottom());
  y = std::max(y, available.top());  // the top edge counts most
  return {x, y};
}

QPoint PlaceWindow(QSize window, const QRect& available, const QRect& mustShow) {
  QRect centred(QPoint(), window);
  centred.moveCenter(available.center());
  return KeepReachable(centred.topLeft(), window, available, mustShow);
}

}  // namespace app
