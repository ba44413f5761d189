#include "view/picture.h"

#include "platform/picture_decoder.h"
#include "view/canvas.h"

namespace view {
namespace {

bool AllOpaque(const raster::Bitmap& b) {
  const uint32_t* p = b.Bits();
  const size_t n = b.PixelCount();
  for (size_t i = 0; i < n; ++i) {
    if ((p[i] >> 24) != 0xFFu) return false;
  }
  return true;
}

}  // namespace

void TPicture::LoadFromFile(const std::filesystem::path& fileName) {
  // Decoded fully before anything changes, so a failure keeps the old graphic.
  SetGraphic(platform::DecodePicture(fileName, loadCover_));
}

void TPicture::Assign(const TPicture& source) {
  if (&source == this) return;
  std::unique_ptr<raster::Bitmap> copy;
  if (source.graphic_) {
    copy = std::make_unique<raster::Bitmap>();
    copy->Assign(*source.graphic_);
  }
  SetGraphic(std::move(copy));
}

void TPicture::SetGraphic(std::unique_ptr<raster::Bitmap> graphic) {
  opaque_ = !graphic || AllOpaque(*graphic);
  graphic_ = std::move(graphic);
  Changed();
}

void TPicture::Clear() { SetGraphic(nullptr); }

void TPicture::Draw(TCanvas& canvas, int32_t x, int32_t y) const {
  if (graphic_) canvas.Draw(x, y, *graphic_, opaque_);
}

void TPicture::StretchDraw(TCanvas& canvas, const raster::Rect& r) const {
  if (graphic_) canvas.StretchDraw(r, *graphic_, opaque_);
}

void TPicture::Changed() {
  // A copy, so that a handler may detach or replace itself.
  if (TChangeHandler handler = onChange_) handler(*this);
}

}  // namespace view
