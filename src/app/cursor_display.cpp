#include "app/cursor_display.h"

#include <QCursor>
#include <QGuiApplication>

namespace app {

int TCursorDisplay::Show(bool show) {
  const bool wasVisible = Visible();
  count_ += show ? 1 : -1;
  // The pointer changes only when the count crosses from 0 to -1 or back.
  if (wasVisible && !Visible()) QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
  if (!wasVisible && Visible()) QGuiApplication::restoreOverrideCursor();
  return count_;
}

}  // namespace app
