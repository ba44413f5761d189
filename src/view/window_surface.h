#pragma once
#include "platform/raster/bitmap.h"
#include "platform/raster/geometry.h"

namespace view {

// Where the view's pixels reach the screen. Callers serialise all calls (the
// view holds its lock), which may come from any thread.
class TWindowSurface {
 public:
  virtual ~TWindowSurface() = default;
  // Puts `srcRect` of `frame` scaled (nearest pixel) into `dstRect` of a
  // client area `clientWidth` × `clientHeight`; what falls outside is dropped.
  virtual void PutFrame(const raster::Bitmap& frame, const raster::Rect& srcRect, const raster::Rect& dstRect,
                        int32_t clientWidth, int32_t clientHeight) = 0;
  // Shows `area` of `client`, a bitmap covering the client area, painted on
  // the window thread.
  virtual void PutPainted(const raster::Bitmap& client, const raster::Rect& area) = 0;
};

}  // namespace view
