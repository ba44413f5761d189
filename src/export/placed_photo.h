#pragma once
#include <cstdint>

#include "export/export_settings.h"
#include "platform/raster/bitmap.h"

namespace video_export {

// The whole video frame for one photo: the background colour (0x00RRGGBB)
// with the photo placed by the view's rule and copied nearest-pixel, as the
// view scales its display.
raster::Bitmap PlacePhoto(const raster::Bitmap& photo, int32_t frameWidth, int32_t frameHeight,
                          PhotoPlacement placement, uint32_t background);

}  // namespace video_export
