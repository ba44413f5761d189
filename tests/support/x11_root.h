// The X server's root window in tests that look at a real screen: painted a
// colour the program never draws, so that an area nobody painted cannot pass
// for a black one (Xvfb's root is black).
#pragma once

#include <xcb/xcb.h>

#include <QColor>
#include <QGuiApplication>
#include <cstdlib>

namespace test_support {

inline xcb_connection_t* X11Connection() {
  return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

inline xcb_window_t RootWindow() { return xcb_setup_roots_iterator(xcb_get_setup(X11Connection())).data->root; }

// Paints the root window one colour for as long as the X server runs.
inline void PaintRoot(QColor colour) {
  xcb_connection_t* c = X11Connection();
  const uint32_t pixel = colour.rgb() & 0xFFFFFF;
  xcb_change_window_attributes(c, RootWindow(), XCB_CW_BACK_PIXEL, &pixel);
  xcb_clear_area(c, 0, RootWindow(), 0, 0, 0, 0);
  std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));  // wait until done
}

}  // namespace test_support
