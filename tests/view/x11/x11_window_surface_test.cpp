// What the X11 window surface puts on a real X server (run under xvfb-run):
// each frame read back from the window is the frame's part as placed,
// unscaled straight from the frame or scaled through the staging bitmap,
// clipped to the client area.
#include "view/x11_window_surface.h"

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "platform/raster/bitmap.h"
#include "platform/raster/drawing.h"
#include "platform/raster/geometry.h"

namespace {

constexpr int32_t kClientWidth = 160, kClientHeight = 120;

// A pixel value that tells its column and row apart (24-bit colour).
uint32_t Marker(int32_t x, int32_t y) { return uint32_t(x) << 12 | uint32_t(y) | 0x800000u; }

raster::Bitmap MarkedFrame(int32_t width, int32_t height) {
  raster::Bitmap frame(width, height);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) frame.SetPixel(x, y, Marker(x, y) | 0xFF000000u);
  }
  return frame;
}

class X11WindowSurface : public ::testing::Test {
 protected:
  void SetUp() override {
    connection_ = xcb_connect(nullptr, nullptr);
    ASSERT_EQ(xcb_connection_has_error(connection_), 0) << "needs an X server (run under xvfb-run -a)";
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    window_ = xcb_generate_id(connection_);
    const uint32_t values[] = {screen->black_pixel, 1};  // background, override-redirect
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screen->root, 0, 0, kClientWidth, kClientHeight, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT,
                      values);
    xcb_map_window(connection_, window_);
    RoundTrip();
    surface_ = view::TX11WindowSurface::Create(connection_, window_);
    ASSERT_NE(surface_, nullptr);
  }
  void TearDown() override {
    surface_.reset();
    if (connection_ != nullptr) xcb_disconnect(connection_);
  }
  void RoundTrip() { std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr)); }
  // The window's pixels, colour bits only, as a bitmap of the client's size.
  raster::Bitmap Shown() {
    raster::Bitmap shown(kClientWidth, kClientHeight);
    xcb_get_image_reply_t* image = xcb_get_image_reply(
        connection_,
        xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, 0, 0, kClientWidth, kClientHeight, ~0u),
        nullptr);
    if (image == nullptr) return shown;
    const auto* pixels = reinterpret_cast<const uint32_t*>(xcb_get_image_data(image));
    for (int32_t y = 0; y < kClientHeight; ++y) {
      for (int32_t x = 0; x < kClientWidth; ++x) shown.SetPixel(x, y, pixels[y * kClientWidth + x] & 0xFFFFFFu);
    }
    std::free(image);
    return shown;
  }

  xcb_connection_t* connection_ = nullptr;
  uint32_t window_ = 0;
  std::unique_ptr<view::TX11WindowSurface> surface_;
};

struct PutCase {
  const char* name;
  raster::Rect src, dst;
};

// Every client pixel inside the placed rectangle shows the frame pixel the
// nearest-pixel rule maps it to (unscaled: the pixel at the same offset);
// pixels outside are black.
TEST_F(X11WindowSurface, FramesAppearAsPlacedAndClipped) {
  const raster::Bitmap frame = MarkedFrame(200, 150);
  const PutCase cases[] = {
      {"unscaled, the whole client", {0, 0, 160, 120}, {0, 0, 160, 120}},
      {"unscaled, part of the frame, centred", {30, 20, 130, 90}, {30, 25, 130, 95}},
      {"unscaled, hanging over the top-left corner", {10, 5, 110, 85}, {-20, -30, 80, 50}},
      {"unscaled, hanging over the bottom-right corner", {0, 0, 200, 150}, {40, 20, 240, 170}},
      {"enlarged twice", {10, 10, 60, 40}, {20, 10, 120, 70}},
      {"reduced to half", {0, 0, 200, 150}, {0, 0, 100, 75}},
  };
  for (const PutCase& c : cases) {
    SCOPED_TRACE(c.name);
    // A black frame first, so that each case starts from a known screen.
    raster::Bitmap black(kClientWidth, kClientHeight);
    surface_->PutFrame(black, black.Bounds(), black.Bounds(), kClientWidth, kClientHeight);
    surface_->PutFrame(frame, c.src, c.dst, kClientWidth, kClientHeight);
    RoundTrip();
    // What the surface promises: the part placed by the nearest-pixel rule
    // of StretchBlt on a black client area.
    raster::Bitmap expected(kClientWidth, kClientHeight);
    raster::StretchBlt(expected, c.dst.left, c.dst.top, c.dst.width(), c.dst.height(), frame, c.src.left, c.src.top,
                       c.src.width(), c.src.height());
    const raster::Bitmap shown = Shown();
    int wrong = 0;
    std::string first;
    for (int32_t y = 0; y < kClientHeight; ++y) {
      for (int32_t x = 0; x < kClientWidth; ++x) {
        const uint32_t want = expected.Pixel(x, y) & 0xFFFFFFu;
        if (shown.Pixel(x, y) != want && wrong++ == 0) {
          first = "at " + std::to_string(x) + "," + std::to_string(y) + ": " + std::to_string(shown.Pixel(x, y)) +
                  " instead of " + std::to_string(want);
        }
      }
    }
    EXPECT_EQ(wrong, 0) << first;
  }
}

}  // namespace
