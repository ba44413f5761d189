#pragma once
#include <QObject>
#include <QRect>

class QWidget;

namespace app {

// Lets the user move a borderless window by dragging its frame: a left press
// on `frame` outside `content` (the part of the window that handles the mouse
// itself) starts the window system's interactive move. Used where the
// compositor moves windows (Wayland); elsewhere it leaves the press alone.
class TFrameDrag final : public QObject {
 public:
  TFrameDrag(QWidget* frame, QWidget* content);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* frame_;
  QWidget* content_;
};

}  // namespace app
