#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/raster/bitmap.h"
#include "platform/raster/geometry.h"
#include "platform/raster/region.h"
#include "view/vantrel_types.h"

namespace view {

// A drawing surface on a bitmap with a movable origin and a clip region, the
// way the control paints: a logical point (x, y) lands on the bitmap at
// (x + Origin().x, y + Origin().y), as a viewport origin does.
class TCanvas {
 public:
  explicit TCanvas(raster::Bitmap& surface) : surface_(surface) {}
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  raster::Bitmap& Surface() { return surface_; }
  raster::Point Origin() const { return origin_; }
  void SetOrigin(raster::Point origin) { origin_ = origin; }

  // Clip state in logical coordinates.
  bool RectVisible(const raster::Rect& r) const;
  raster::Rect ClipBox() const;
  void IntersectClipRect(const raster::Rect& r);
  void ExcludeClipRect(const raster::Rect& r);
  // Saves origin and clip; RestoreState brings back the last saved state.
  void SaveState();
  void RestoreState();

  void FillRect(const raster::Rect& r, TColor color);
  // Fills the band between `outer` and `outer` inset by `width` (a pen of that
  // width drawn inside the rectangle, no brush).
  void FrameRect(const raster::Rect& outer, int32_t width, TColor color);
  // Draws a graphic (alpha in its reserved byte) at natural size or scaled.
  void Draw(int32_t x, int32_t y, const raster::Bitmap& graphic, bool opaque);
  void StretchDraw(const raster::Rect& r, const raster::Bitmap& graphic, bool opaque);
  // Plain scaled copy of `srcRect` of src into `dstRect` (COLORONCOLOR).
  void CopyRect(const raster::Rect& dstRect, const raster::Bitmap& src, const raster::Rect& srcRect);

 private:
  struct State {
    raster::Point origin;
    std::optional<raster::Region> clip;
  };
  raster::Rect ToDevice(const raster::Rect& r) const;
  raster::Region DeviceClip() const;

  raster::Bitmap& surface_;
  raster::Point origin_;
  std::vector<State> saved_;
};

// RAII bracket of SaveState/RestoreState.
class TSavedCanvasState {
 public:
  explicit TSavedCanvasState(TCanvas& c) : canvas_(c) { canvas_.SaveState(); }
  ~TSavedCanvasState() { canvas_.RestoreState(); }
  TSavedCanvasState(const TSavedCanvasState&) = delete;
  TSavedCanvasState& operator=(const TSavedCanvasState&) = delete;

 private:
  TCanvas& canvas_;
};

// The RGB value (0x00BBGGRR) of a colour, resolving system colours.
TColor ColorToRGB(TColor color);

}  // namespace view
