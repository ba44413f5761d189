#pragma once
#include <QImage>
#include <QString>
#include <cstdint>

#include "platform/raster/bitmap.h"
#include "platform/raster/geometry.h"

namespace view {

// A short note in the bottom-left corner of the view: fully there for
// kVisibleMs after it is shown, then fading out over kFadeMs. It is laid over
// what reaches the screen and never drawn into the pictures of a transition.
// All coordinates are client pixels of the view (device pixels).
class TNoteOverlay {
 public:
  static constexpr int64_t kVisibleMs = 2000;
  static constexpr int64_t kFadeMs = 500;

  // `text` may hold several lines; `scale` is the device-pixel ratio the
  // note's lettering is drawn at; `nowMs` is any steady millisecond clock.
  void Show(const QString& text, double scale, int64_t nowMs);
  void Hide();
  const QString& Text() const { return text_; }
  // 0 (gone) to 255 (fully there).
  int Opacity(int64_t nowMs) const;
  // Where the note lies in a client area of the given size; empty when none.
  raster::Rect Place(int32_t clientWidth, int32_t clientHeight) const;
  // Blends the note at `opacity` into `target`, whose pixel (x, y) shows the
  // client point (x + origin.x, y + origin.y); only client points inside
  // `area` are touched.
  void BlendOnto(raster::Bitmap& target, raster::Point origin, const raster::Rect& area, int32_t clientWidth,
                 int32_t clientHeight, int opacity) const;

 private:
  QString text_;
  QImage image_;  // premultiplied ARGB: the box and its lettering
  int32_t margin_ = 0;  // from the client area's left and bottom edges
  int64_t shownAtMs_ = 0;
};

}  // namespace view
