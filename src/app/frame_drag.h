#pragma once
#include <QObject>
#include <QPoint>
#include <QRect>

class QWidget;

namespace app {

// Lets the user move a borderless window by dragging its frame: a left press
// on `frame` outside `content` (the part of the window that handles the mouse
// itself) moves the window with the pointer until the button is released; on
// Wayland, where only the compositor places windows, it starts the
// compositor's interactive move instead.
class TFrameDrag final : public QObject {
 public:
  TFrameDrag(QWidget* frame, QWidget* content);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Press(const QPoint& local, const QPoint& global);

  QWidget* frame_;
  QWidget* content_;
  bool following_ = false;  // moving the window ourselves
  QPoint grip_;  // the pointer's place in the window while following
};

}  // namespace app
