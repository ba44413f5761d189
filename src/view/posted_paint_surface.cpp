#include "view/posted_paint_surface.h"

#include <QImage>
#include <QPainter>

namespace view {

void TPostedPaintSurface::PutFrame(const raster::Bitmap&, const raster::Rect&, const raster::Rect& dstRect, int32_t,
                                   int32_t) {
  postRepaint_(dstRect);
}

void TPostedPaintSurface::PutPainted(const raster::Bitmap& client, const raster::Rect& area) {
  const raster::Rect r = raster::Intersect(area, client.Bounds());
  if (r.empty()) return;
  QImage image(r.width(), r.height(), QImage::Format_RGB32);
  for (int32_t y = r.top; y < r.bottom; ++y) {
    const uint32_t* src = client.Row(y) + r.left;
    auto* dst = reinterpret_cast<uint32_t*>(image.scanLine(y - r.top));
    // RGB32 wants 0xFF in the unused byte.
    for (int32_t x = 0; x < r.width(); ++x) dst[x] = src[x] | 0xFF000000u;
  }
  // The client bitmap holds device pixels: drawn 1:1 under any pixel ratio.
  const qreal ratio = widget_->devicePixelRatioF();
  image.setDevicePixelRatio(ratio);
  QPainter painter(widget_);
  painter.drawImage(QPointF(r.left / ratio, r.top / ratio), image);
}

}  // namespace view
