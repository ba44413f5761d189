#include "platform/raster/bitmap.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>

namespace raster {

namespace {
// Handles count up from an arbitrary start; they only need to be distinct
// among the bitmaps alive at one time.
std::atomic<uint32_t> next_handle{0x2A01};
}  // namespace

Bitmap::Bitmap() : handle_(next_handle.fetch_add(1)) {}

Bitmap::Bitmap(int32_t width, int32_t height) : Bitmap() { SetSize(width, height); }

Bitmap::Bitmap(Bitmap&& other) noexcept
    : width_(other.width_),
      height_(other.height_),
      handle_(other.handle_),
      pixels_(std::move(other.pixels_)),
      clip_(std::move(other.clip_)),
      stretch_mode_(other.stretch_mode_) {
  other.width_ = other.height_ = 0;
  other.clip_.reset();
}

Bitmap::~Bitmap() = default;

void Bitmap::SetSize(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) {
    pixels_.reset();
    width_ = height_ = 0;
    return;
  }
  const size_t count = size_t(width) * size_t(height);
  if (width == width_ && height == height_) {
    std::memset(pixels_.get(), 0, count * sizeof(uint32_t));
    return;
  }
  pixels_ = ZeroedPixels(count);
  width_ = width;
  height_ = height;
}

void Bitmap::Fill(uint32_t v) { std::fill_n(pixels_.get(), PixelCount(), v); }

void Bitmap::Assign(const Bitmap& other) {
  if (&other == this) return;
  SetSize(other.width_, other.height_);
  if (!Empty()) std::memcpy(pixels_.get(), other.pixels_.get(), PixelCount() * sizeof(uint32_t));
}

}  // namespace raster
