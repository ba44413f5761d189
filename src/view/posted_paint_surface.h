#pragma once
#include <QRect>
#include <QWidget>
#include <functional>

#include "view/window_surface.h"

namespace view {

// For platforms where only the window thread may draw: a frame becomes a
// repaint request posted to the window thread, whose paint then reads the
// view's display; painted areas are drawn through Qt's backing store.
class TPostedPaintSurface : public TWindowSurface {
 public:
  // `postRepaint` queues a repaint of a rectangle (device pixels) for the
  // window thread; it is called from any thread.
  TPostedPaintSurface(QWidget* widget, std::function<void(const raster::Rect&)> postRepaint)
      : widget_(widget), postRepaint_(std::move(postRepaint)) {}

  // Any thread: asks the window thread to repaint the frame's rectangle.
  void PutFrame(const raster::Bitmap& frame, const raster::Rect& srcRect, const raster::Rect& dstRect,
                int32_t clientWidth, int32_t clientHeight) override;
  // Window thread, inside the widget's paint event only.
  void PutPainted(const raster::Bitmap& client, const raster::Rect& area) override;

 private:
  QWidget* widget_;
  std::function<void(const raster::Rect&)> postRepaint_;
};

}  // namespace view
