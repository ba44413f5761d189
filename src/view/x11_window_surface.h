#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "view/window_surface.h"
#include "view/x11_shm_segment.h"

struct xcb_connection_t;

namespace view {

// Draws straight on an X11 window from any thread (libxcb is thread-safe):
// through a shared-memory segment where the server offers MIT-SHM, otherwise
// with plain image requests, in bands when a frame exceeds one request.
class TX11WindowSurface : public TWindowSurface {
 public:
  // Null when the window's pixel format is not 32-bit little-endian
  // true-colour, which this surface writes.
  static std::unique_ptr<TX11WindowSurface> Create(xcb_connection_t* connection, uint32_t window);
  ~TX11WindowSurface() override;

  void PutFrame(const raster::Bitmap& frame, const raster::Rect& srcRect, const raster::Rect& dstRect,
                int32_t clientWidth, int32_t clientHeight) override;
  void PutPainted(const raster::Bitmap& client, const raster::Rect& area) override;

 private:
  TX11WindowSurface(xcb_connection_t* connection, uint32_t window, uint8_t depth);
  // A shared segment and the round trip that tells when the server has read
  // what was last sent from it. Frames and paints use one each, so neither
  // waits for the other's transfer.
  struct TSharedBuffer {
    std::unique_ptr<TX11ShmSegment> segment;
    bool pending = false;
    uint32_t pendingSequence = 0;
  };
  // The segment of `buffer`, grown to hold `bytes` and free to be written;
  // null when MIT-SHM is unusable.
  uint32_t* SharedPixels(TSharedBuffer& buffer, size_t bytes);
  // Shows `width` × `rows` pixels of the buffer's segment at (x, y). Returns
  // at once; the next SharedPixels on the buffer waits for the server.
  void SendShared(TSharedBuffer& buffer, int32_t width, int32_t rows, int32_t x, int32_t y);
  // Puts the visible part of a frame shown unscaled through the shared
  // segment; false (nothing sent) when it is scaled or MIT-SHM is unusable.
  bool PutUnscaled(const raster::Bitmap& frame, const raster::Rect& srcRect, const raster::Rect& dstRect,
                   const raster::Rect& visible);
  // Sends `rows` rows of `width` pixels, stored top row first, to (x, y).
  void SendInBands(const uint32_t* pixels, int32_t width, int32_t rows, int32_t x, int32_t y);

  xcb_connection_t* connection_;
  uint32_t window_, gc_;
  uint8_t depth_;
  size_t maxRequestBytes_;
  bool shmUsable_ = true;
  TSharedBuffer frameBuffer_, paintBuffer_;
  raster::Bitmap staging_;  // a scaled frame, mirrored so its memory runs top-down
  std::vector<uint32_t> rowBuffer_;  // rows of a painted area, top-down
};

}  // namespace view
