#include "view/x11_window_surface.h"

#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/raster/drawing.h"

namespace view {
namespace {

// Whether the server stores `depth` as 32-bit pixels, least significant byte first.
bool Writes32BitLittleEndian(xcb_connection_t* c, uint8_t depth) {
  const xcb_setup_t* setup = xcb_get_setup(c);
  if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) return false;
  xcb_format_iterator_t it = xcb_setup_pixmap_formats_iterator(setup);
  for (; it.rem; xcb_format_next(&it)) {
    if (it.data->depth == depth) return it.data->bits_per_pixel == 32;
  }
  return false;
}

}  // namespace

std::unique_ptr<TX11WindowSurface> TX11WindowSurface::Create(xcb_connection_t* connection, uint32_t window) {
  if (connection == nullptr || window == 0) return nullptr;
  xcb_get_geometry_reply_t* geometry =
      xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
  if (geometry == nullptr) return nullptr;
  const uint8_t depth = geometry->depth;
  std::free(geometry);
  if ((depth != 24 && depth != 32) || !Writes32BitLittleEndian(connection, depth)) return nullptr;
  return std::unique_ptr<TX11WindowSurface>(new TX11WindowSurface(connection, window, depth));
}

TX11WindowSurface::TX11WindowSurface(xcb_connection_t* connection, uint32_t window, uint8_t depth)
    : connection_(connection), window_(window), gc_(xcb_generate_id(connection)), depth_(depth) {
  xcb_create_gc(connection_, gc_, window_, 0, nullptr);
  // The request length is counted in 4-byte units; keep room for the header.
  const size_t maxBytes = size_t(xcb_get_maximum_request_length(connection_)) * 4;
  maxRequestBytes_ = std::min<size_t>(maxBytes - 64, size_t(8) << 20);
}

TX11WindowSurface::~TX11WindowSurface() {
  for (TSharedBuffer* b : {&frameBuffer_, &paintBuffer_}) {
    if (b->pending) std::free(xcb_get_input_focus_reply(connection_, {b->pendingSequence}, nullptr));
  }
  xcb_free_gc(connection_, gc_);
  xcb_flush(connection_);
}

uint32_t* TX11WindowSurface::SharedPixels(TSharedBuffer& buffer, size_t bytes) {
  if (!shmUsable_) return nullptr;
  if (buffer.pending) {
    xcb_get_input_focus_cookie_t cookie{buffer.pendingSequence};
    std::free(xcb_get_input_focus_reply(connection_, cookie, nullptr));
    buffer.pending = false;
  }
  if (!buffer.segment || buffer.segment->Bytes() < bytes) {
    buffer.segment.reset();
    buffer.segment = TX11ShmSegment::Create(connection_, bytes);
    shmUsable_ = buffer.segment != nullptr;
  }
  return buffer.segment ? buffer.segment->Pixels() : nullptr;
}

void TX11WindowSurface::SendShared(TSharedBuffer& buffer, int32_t width, int32_t rows, int32_t x, int32_t y) {
  xcb_shm_put_image(connection_, window_, gc_, uint16_t(width), uint16_t(rows), 0, 0, uint16_t(width), uint16_t(rows),
                    int16_t(x), int16_t(y), depth_, XCB_IMAGE_FORMAT_Z_PIXMAP, 0, buffer.segment->Segment(), 0);
  // The reply to a later request means the server is done with the segment.
  buffer.pendingSequence = xcb_get_input_focus(connection_).sequence;
  buffer.pending = true;
  xcb_flush(connection_);
}

void TX11WindowSurface::SendInBands(const uint32_t* pixels, int32_t width, int32_t rows, int32_t x, int32_t y) {
  const size_t rowBytes = size_t(width) * 4;
  const int32_t bandRows = std::max<int32_t>(1, int32_t(maxRequestBytes_ / rowBytes));
  for (int32_t row = 0; row < rows; row += bandRows) {
    const int32_t n = std::min(bandRows, rows - row);
    xcb_put_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, gc_, uint16_t(width), uint16_t(n), int16_t(x),
                  int16_t(y + row), 0, depth_, uint32_t(rowBytes * n),
                  reinterpret_cast<const uint8_t*>(pixels + size_t(row) * width));
  }
  xcb_flush(connection_);
}

void TX11WindowSurface::PutFrame(const raster::Bitmap& frame, const raster::Rect& srcRect, const raster::Rect& dstRect,
                                 int32_t clientWidth, int32_t clientHeight) {
  const raster::Rect visible = raster::Intersect(dstRect, {0, 0, clientWidth, clientHeight});
  if (visible.empty() || srcRect.empty()) return;
  if (PutUnscaled(frame, srcRect, dstRect, visible)) return;
  if (staging_.Width() != visible.width() || staging_.Height() != visible.height()) {
    staging_.SetSize(visible.width(), visible.height());
  }
  // Drawn upside down into the bottom-up staging bitmap, so that its memory
  // holds the visible part top row first, as X wants it.
  const int32_t ox = dstRect.left - visible.left, oy = dstRect.top - visible.top;
  raster::StretchBlt(staging_, ox, visible.height() - 1 - oy, dstRect.width(), -dstRect.height(), frame, srcRect.left,
                     srcRect.top, srcRect.width(), srcRect.height());
  const size_t bytes = staging_.PixelCount() * 4;
  if (uint32_t* shared = SharedPixels(frameBuffer_, bytes)) {
    std::memcpy(shared, staging_.Bits(), bytes);
    SendShared(frameBuffer_, visible.width(), visible.height(), visible.left, visible.top);
  } else {
    SendInBands(staging_.Bits(), visible.width(), visible.height(), visible.left, visible.top);
  }
}

// A frame shown at its own size (full screen, or a view as large as the
// picture) is copied row by row straight into the shared segment: one pass
// over the frame's bytes instead of a staging copy and a second copy.
bool TX11WindowSurface::PutUnscaled(const raster::Bitmap& frame, const raster::Rect& srcRect,
                                    const raster::Rect& dstRect, const raster::Rect& visible) {
  if (srcRect.width() != dstRect.width() || srcRect.height() != dstRect.height()) return false;
  if (raster::Intersect(srcRect, frame.Bounds()) != srcRect) return false;
  const int32_t width = visible.width(), rows = visible.height();
  uint32_t* shared = SharedPixels(frameBuffer_, size_t(width) * size_t(rows) * 4);
  if (shared == nullptr) return false;
  const int32_t x = srcRect.left + (visible.left - dstRect.left), top = srcRect.top + (visible.top - dstRect.top);
  for (int32_t row = 0; row < rows; ++row) {
    std::memcpy(shared + size_t(row) * size_t(width), frame.Row(top + row) + x, size_t(width) * 4);
  }
  SendShared(frameBuffer_, width, rows, visible.left, visible.top);
  return true;
}

void TX11WindowSurface::PutPainted(const raster::Bitmap& client, const raster::Rect& area) {
  const raster::Rect r = raster::Intersect(area, client.Bounds());
  if (r.empty()) return;
  const size_t pixels = size_t(r.width()) * r.height();
  uint32_t* shared = SharedPixels(paintBuffer_, pixels * 4);
  if (shared == nullptr) {
    rowBuffer_.resize(pixels);
  }
  uint32_t* out = shared ? shared : rowBuffer_.data();
  for (int32_t y = r.top; y < r.bottom; ++y) {
    std::memcpy(out + size_t(y - r.top) * r.width(), client.Row(y) + r.left, size_t(r.width()) * 4);
  }
  if (shared) {
    SendShared(paintBuffer_, r.width(), r.height(), r.left, r.top);
  } else {
    SendInBands(out, r.width(), r.height(), r.left, r.top);
  }
}

}  // namespace view
