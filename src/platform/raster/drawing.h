#pragma once
#include <cstdint>
#include <memory>
#include <span>

#include "platform/raster/bitmap.h"
#include "platform/raster/region.h"

// The drawing operations the effects are written against, named as the
// system names them. Regions are owned through RegionPtr: a null RegionPtr is
// "no region", which differs from an empty region.
namespace raster {

using RegionPtr = std::unique_ptr<Region>;

constexpr int WINDING = 2;
enum CombineMode { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4 };
enum RegionKind { RGN_ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3 };

// Region-data block: a 32-byte header followed by nCount rectangles.
struct RGNDATAHEADER {
  uint32_t dwSize;
  uint32_t iType;
  uint32_t nCount;
  uint32_t nRgnSize;
  Rect rcBound;
};
static_assert(sizeof(RGNDATAHEADER) == 32);
constexpr uint32_t RDH_RECTANGLES = 1;

RegionPtr CreateRectRgn(int32_t l, int32_t t, int32_t r, int32_t b);
RegionPtr CreateRoundRectRgn(int32_t l, int32_t t, int32_t r, int32_t b, int32_t w, int32_t h);
RegionPtr CreateEllipticRgn(int32_t l, int32_t t, int32_t r, int32_t b);
RegionPtr CreatePolygonRgn(const Point* pts, int32_t count, int mode);
// Reads nCount rectangles after the header; null when the block is too short.
RegionPtr ExtCreateRegion(const void* data, uint32_t size);
// dest := a op b; dest may be a. Returns the kind of the result.
int CombineRgn(Region* dest, const Region* a, const Region* b, int mode);

// Clip of the surface becomes a copy of the region; null removes the clip.
void SelectClipRgn(Bitmap& surface, const Region* region);
// Clip becomes the current clip (whole bitmap when none) minus the rectangle.
void ExcludeClipRect(Bitmap& surface, int32_t l, int32_t t, int32_t r, int32_t b);
void SetStretchBltMode(Bitmap& surface, int mode);

// Block copy, clipped by dst's clip region and both bitmaps' bounds. Source
// pixels outside src leave their destination alone. src may be dst: the copy
// then behaves as if the whole source was read first.
void BitBlt(Bitmap& dst, int32_t xd, int32_t yd, int32_t w, int32_t h, const Bitmap& src, int32_t xs, int32_t ys);
// Nearest-pixel scaled copy; a negative wd or hd mirrors (the destination then
// covers xd + wd + 1 .. xd). Zero-sized source or destination draws nothing.
void StretchBlt(Bitmap& dst, int32_t xd, int32_t yd, int32_t wd, int32_t hd, const Bitmap& src, int32_t xs, int32_t ys,
                int32_t ws, int32_t hs);

// Selects the region as clip for the scope of the object and removes any clip
// when it ends, on every path (the clip-and-copy step's clean-up).
class ScopedClip {
 public:
  ScopedClip(Bitmap& surface, const Region* region) : surface_(surface) { SelectClipRgn(surface_, region); }
  ~ScopedClip() { SelectClipRgn(surface_, nullptr); }
  ScopedClip(const ScopedClip&) = delete;
  ScopedClip& operator=(const ScopedClip&) = delete;

 private:
  Bitmap& surface_;
};

}  // namespace raster
