#include "view/canvas.h"

#include <algorithm>
#include <array>

#include "platform/raster/drawing.h"

namespace view {
namespace {

using raster::Bitmap;
using raster::Rect;
using raster::Region;

// Fills the part of `r` (device coordinates, inside the bitmap) that the clip
// lets through; no clip means all of it.
void FillClipped(Bitmap& b, const Rect& r, const Region* clip, uint32_t px) {
  if (clip == nullptr) {
    for (int32_t y = r.top; y < r.bottom; ++y) std::fill_n(b.Row(y) + r.left, r.width(), px);
    return;
  }
  const auto bands = clip->bands();
  for (size_t i = clip->FirstBandBelow(r.top); i < bands.size(); ++i) {
    const Region::Band& band = bands[i];
    if (band.y0 >= r.bottom) break;
    const int32_t y0 = std::max(band.y0, r.top), y1 = std::min(band.y1, r.bottom);
    for (const Region::Span& s : clip->SpansOf(band)) {
      const int32_t x0 = std::max(s.x0, r.left), x1 = std::min(s.x1, r.right);
      if (x0 >= x1) continue;
      for (int32_t y = y0; y < y1; ++y) std::fill_n(b.Row(y) + x0, x1 - x0, px);
    }
  }
}

// dst := src over dst, by the alpha in src's reserved byte; same sizes.
void BlendOver(Bitmap& dst, const Bitmap& src) {
  for (int32_t y = 0; y < dst.Height(); ++y) {
    uint32_t* d = dst.Row(y);
    const uint32_t* s = src.Row(y);
    for (int32_t x = 0; x < dst.Width(); ++x) {
      const uint32_t a = s[x] >> 24;
      if (a == 0xFF) {
        d[x] = s[x];
      } else if (a != 0) {
        uint32_t out = 0;
        for (int shift = 0; shift < 24; shift += 8) {
          const uint32_t c = (((s[x] >> shift) & 0xFF) * a + ((d[x] >> shift) & 0xFF) * (255 - a) + 127) / 255;
          out |= c << shift;
        }
        d[x] = out | (d[x] & 0xFF000000u);
      }
    }
  }
}

}  // namespace

Rect TCanvas::ToDevice(const Rect& r) const {
  return {r.left + origin_.x, r.top + origin_.y, r.right + origin_.x, r.bottom + origin_.y};
}

Region TCanvas::DeviceClip() const {
  const Region* clip = surface_.ClipRegion();
  return clip ? *clip : Region::FromRect(surface_.Bounds());
}

bool TCanvas::RectVisible(const Rect& r) const {
  const Rect d = raster::Intersect(ToDevice(r), surface_.Bounds());
  if (d.empty()) return false;
  const Region* clip = surface_.ClipRegion();
  return clip == nullptr || !(*clip & Region::FromRect(d)).IsEmpty();
}

Rect TCanvas::ClipBox() const {
  const Region* clip = surface_.ClipRegion();
  Rect box = clip ? raster::Intersect(clip->Bounds(), surface_.Bounds()) : surface_.Bounds();
  if (box.empty()) return {};
  return {box.left - origin_.x, box.top - origin_.y, box.right - origin_.x, box.bottom - origin_.y};
}

void TCanvas::IntersectClipRect(const Rect& r) { surface_.SetClipRegion(DeviceClip() & Region::FromRect(ToDevice(r))); }

void TCanvas::ExcludeClipRect(const Rect& r) {
  const Rect d = ToDevice(r);
  raster::ExcludeClipRect(surface_, d.left, d.top, d.right, d.bottom);
}

void TCanvas::SaveState() {
  const Region* clip = surface_.ClipRegion();
  saved_.push_back({origin_, clip ? std::optional<Region>(*clip) : std::nullopt});
}

void TCanvas::RestoreState() {
  if (saved_.empty()) return;
  origin_ = saved_.back().origin;
  surface_.SetClipRegion(std::move(saved_.back().clip));
  saved_.pop_back();
}

void TCanvas::FillRect(const Rect& r, TColor color) {
  const Rect d = raster::Intersect(ToDevice(r), surface_.Bounds());
  if (d.empty()) return;
  FillClipped(surface_, d, surface_.ClipRegion(), raster::PixelFromColor(ColorToRGB(color)));
}

void TCanvas::FrameRect(const Rect& outer, int32_t width, TColor color) {
  if (width <= 0 || outer.empty()) return;
  if (2 * width >= outer.width() || 2 * width >= outer.height()) {
    FillRect(outer, color);
    return;
  }
  FillRect({outer.left, outer.top, outer.right, outer.top + width}, color);
  FillRect({outer.left, outer.bottom - width, outer.right, outer.bottom}, color);
  FillRect({outer.left, outer.top + width, outer.left + width, outer.bottom - width}, color);
  FillRect({outer.right - width, outer.top + width, outer.right, outer.bottom - width}, color);
}

void TCanvas::Draw(int32_t x, int32_t y, const Bitmap& graphic, bool opaque) {
  StretchDraw({x, y, x + graphic.Width(), y + graphic.Height()}, graphic, opaque);
}

void TCanvas::StretchDraw(const Rect& r, const Bitmap& graphic, bool opaque) {
  if (r.empty() || graphic.Empty()) return;
  const Rect d = ToDevice(r);
  const bool natural = r.width() == graphic.Width() && r.height() == graphic.Height();
  if (opaque) {
    if (natural) {
      raster::BitBlt(surface_, d.left, d.top, d.width(), d.height(), graphic, 0, 0);
    } else {
      raster::StretchBlt(surface_, d.left, d.top, d.width(), d.height(), graphic, 0, 0, graphic.Width(),
                         graphic.Height());
    }
    return;
  }
  // Blend on a copy of the part below, then copy it back through the clip.
  const Rect visible = raster::Intersect(d, surface_.Bounds());
  if (visible.empty()) return;
  Bitmap scaled(d.width(), d.height());
  raster::StretchBlt(scaled, 0, 0, d.width(), d.height(), graphic, 0, 0, graphic.Width(), graphic.Height());
  Bitmap below(d.width(), d.height());
  raster::BitBlt(below, 0, 0, d.width(), d.height(), surface_, d.left, d.top);
  BlendOver(below, scaled);
  raster::BitBlt(surface_, d.left, d.top, d.width(), d.height(), below, 0, 0);
}

void TCanvas::CopyRect(const Rect& dstRect, const Bitmap& src, const Rect& srcRect) {
  const Rect d = ToDevice(dstRect);
  raster::SetStretchBltMode(surface_, raster::COLORONCOLOR);
  if (d.width() == srcRect.width() && d.height() == srcRect.height()) {
    raster::BitBlt(surface_, d.left, d.top, d.width(), d.height(), src, srcRect.left, srcRect.top);
  } else {
    raster::StretchBlt(surface_, d.left, d.top, d.width(), d.height(), src, srcRect.left, srcRect.top, srcRect.width(),
                       srcRect.height());
  }
}

TColor ColorToRGB(TColor color) {
  if ((color >> 24) != 0xFF) return color & 0x00FFFFFFu;
  // The desktop's default colour scheme, as (red, green, blue).
  static constexpr std::array<std::array<uint8_t, 3>, 31> kSystem{{
      {200, 200, 200}, {0, 0, 0},     {153, 180, 209}, {191, 205, 219}, {240, 240, 240}, {255, 255, 255},
      {100, 100, 100}, {0, 0, 0},     {0, 0, 0},       {0, 0, 0},       {180, 180, 180}, {244, 247, 252},
      {171, 171, 171}, {0, 120, 215}, {255, 255, 255}, {240, 240, 240}, {160, 160, 160}, {109, 109, 109},
      {0, 0, 0},       {0, 0, 0},     {255, 255, 255}, {105, 105, 105}, {227, 227, 227}, {0, 0, 0},
      {255, 255, 225}, {0, 0, 0},     {0, 102, 204},   {185, 209, 234}, {215, 228, 242}, {51, 153, 255},
      {240, 240, 240},
  }};
  const uint32_t index = color & 0xFFu;
  if (index >= kSystem.size()) return 0;
  const auto& c = kSystem[index];
  return TColor(c[0]) | (TColor(c[1]) << 8) | (TColor(c[2]) << 16);
}

}  // namespace view
