#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

struct xcb_connection_t;

namespace view {

// A shared-memory segment attached to the X server (MIT-SHM): pixels written
// here reach a window without passing through the socket.
class TX11ShmSegment {
 public:
  // Null when the server lacks MIT-SHM or cannot attach the segment (for
  // example a display on another machine).
  static std::unique_ptr<TX11ShmSegment> Create(xcb_connection_t* connection, size_t bytes);
  ~TX11ShmSegment();
  TX11ShmSegment(const TX11ShmSegment&) = delete;
  TX11ShmSegment& operator=(const TX11ShmSegment&) = delete;

  uint32_t* Pixels() const { return pixels_; }
  size_t Bytes() const { return bytes_; }
  uint32_t Segment() const { return segment_; }

 private:
  TX11ShmSegment(xcb_connection_t* connection, uint32_t segment, uint32_t* pixels, size_t bytes)
      : connection_(connection), segment_(segment), pixels_(pixels), bytes_(bytes) {}

  xcb_connection_t* connection_;
  uint32_t segment_;
  uint32_t* pixels_;
  size_t bytes_;
};

}  // namespace view
