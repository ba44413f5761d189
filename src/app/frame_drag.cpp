#include "app/frame_drag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include "app/window_system.h"

namespace app {

TFrameDrag::TFrameDrag(QWidget* frame, QWidget* content) : QObject(frame), frame_(frame), content_(content) {
  frame_->installEventFilter(this);
}

bool TFrameDrag::eventFilter(QObject* watched, QEvent* event) {
  if (watched != frame_ || event->type() != QEvent::MouseButtonPress || !RunsOnWayland()) return false;
  const auto* press = static_cast<QMouseEvent*>(event);
  // Presses on the photo panel reach the frame only when the panel passes
  // them on; they are the panel's, not a drag.
  if (press->button() != Qt::LeftButton || content_->geometry().contains(press->position().toPoint())) return false;
  QWindow* window = frame_->window()->windowHandle();
  return window && window->startSystemMove();
}

}  // namespace app
