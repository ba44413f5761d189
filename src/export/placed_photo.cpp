#include "export/placed_photo.h"

#include "platform/raster/drawing.h"
#include "platform/raster/placement.h"

namespace video_export {

raster::Bitmap PlacePhoto(const raster::Bitmap& photo, int32_t frameWidth, int32_t frameHeight,
                          PhotoPlacement placement, uint32_t background) {
  raster::Bitmap frame(frameWidth, frameHeight);
  // Opaque pixels: the reserved byte of a decoded photo carries alpha.
  frame.Fill(0xFF000000u | background);
  const raster::Rect r =
      raster::PlaceDisplayRect(frameWidth, frameHeight, 0, photo.Width(), photo.Height(), RuleFor(placement));
  raster::SetStretchBltMode(frame, raster::COLORONCOLOR);
  raster::StretchBlt(frame, r.left, r.top, r.width(), r.height(), photo, 0, 0, photo.Width(), photo.Height());
  return frame;
}

}  // namespace video_export
