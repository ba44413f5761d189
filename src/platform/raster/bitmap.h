#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/raster/geometry.h"
#include "platform/raster/pixel.h"
#include "platform/raster/pixel_memory.h"
#include "platform/raster/region.h"

namespace raster {

constexpr int COLORONCOLOR = 3;

// A 32-bit picture with its drawing surface. Pixels are bytes blue, green,
// red, reserved; rows hold exactly Width() pixels and lie bottom-up in one
// block: the bottom row comes first. ScanLine(y) counts y from the top.
//
// The surface state lives here too: an optional clip region (absent means the
// whole bitmap is drawable; an empty region means nothing is), the stretch
// mode and a re-entrant surface lock.
class Bitmap {
 public:
  Bitmap();
  Bitmap(int32_t width, int32_t height);
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;
  // Moves pixels, handle and surface state; the lock is not moved (a bitmap
  // must not be moved while its surface is locked).
  Bitmap(Bitmap&& other) noexcept;
  ~Bitmap();

  // Resizes; the content becomes black (all bytes 0). The handle stays.
  void SetSize(int32_t width, int32_t height);
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  Rect Bounds() const { return {0, 0, width_, height_}; }

  // Identifies this bitmap while it exists; a new bitmap gets a new value.
  uint32_t Handle() const { return handle_; }
  void SetHandle(uint32_t handle) { handle_ = handle; }

  TRGBQuad* ScanLine(int32_t y) { return reinterpret_cast<TRGBQuad*>(Row(y)); }
  const TRGBQuad* ScanLine(int32_t y) const { return reinterpret_cast<const TRGBQuad*>(Row(y)); }
  uint32_t* Row(int32_t y) { return pixels_.get() + size_t(height_ - 1 - y) * size_t(width_); }
  const uint32_t* Row(int32_t y) const { return pixels_.get() + size_t(height_ - 1 - y) * size_t(width_); }
  // The whole block in memory order (bottom row first).
  uint32_t* Bits() { return pixels_.get(); }
  const uint32_t* Bits() const { return pixels_.get(); }
  size_t PixelCount() const { return size_t(width_) * size_t(height_); }

  uint32_t Pixel(int32_t x, int32_t y) const { return Row(y)[x]; }
  void SetPixel(int32_t x, int32_t y, uint32_t v) { Row(y)[x] = v; }
  void Fill(uint32_t v);
  // Copies size and pixels of another bitmap (not its handle or clip).
  void Assign(const Bitmap& other);

  // Drawing surface state.
  const Region* ClipRegion() const { return clip_ ? &*clip_ : nullptr; }
  void SetClipRegion(std::optional<Region> clip) { clip_ = std::move(clip); }
  int StretchMode() const { return stretch_mode_; }
  void SetStretchMode(int mode) { stretch_mode_ = mode; }
  void Lock() { lock_.lock(); }
  void Unlock() { lock_.unlock(); }
  std::recursive_mutex& SurfaceLock() { return lock_; }

 private:
  int32_t width_ = 0, height_ = 0;
  uint32_t handle_;
  PixelMemory pixels_;
  std::optional<Region> clip_;
  int stretch_mode_ = COLORONCOLOR;
  std::recursive_mutex lock_;
};

// Holds a bitmap's surface lock for a scope.
class SurfaceLock {
 public:
  explicit SurfaceLock(Bitmap& b) : guard_(b.SurfaceLock()) {}

 private:
  std::lock_guard<std::recursive_mutex> guard_;
};

}  // namespace raster
