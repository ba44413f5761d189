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
  if (watched != frame_) return false;
  const auto* mouse = static_cast<QMouseEvent*>(event);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      if (mouse->button() != Qt::LeftButton) return false;
      return Press(mouse->position().toPoint(), mouse->globalPosition().toPoint());
    case QEvent::MouseMove:
      if (!following_) return false;
      frame_->window()->move(mouse->globalPosition().toPoint() - grip_);
      return true;
    case QEvent::MouseButtonRelease:
      if (!following_ || mouse->button() != Qt::LeftButton) return false;
      following_ = false;
      return true;
    default: return false;
  }
}

bool TFrameDrag::Press(const QPoint& local, const QPoint& global) {
  // Presses on the photo panel reach the frame only when the panel passes
  // them on; they are the panel's, not a drag.
  if (content_->geometry().contains(local)) return false;
  QWidget* window = frame_->window();
  // A Wayland client cannot place its window: the compositor moves it. On X11
  // the window follows the pointer itself, with or without a window manager
  // (a manager's own move, asked for by message, lost track of the pointer
  // under openbox).
  if (RunsOnWayland()) {
    QWindow* handle = window->windowHandle();
    return handle && handle->startSystemMove();
  }
  // The frame keeps the mouse while the button is down, so the moves come here.
  following_ = true;
  grip_ = global - window->pos();
  return true;
}

}  // namespace app
