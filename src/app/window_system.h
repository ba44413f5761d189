#pragma once

namespace app {

// Whether the program runs as a Wayland client. There the compositor alone
// places windows and shapes them: a client asks for full screen and for an
// interactive move instead of placing its window itself, and a window's
// shape limits only where it takes input. X11 lets the client do all three.
bool RunsOnWayland();

}  // namespace app
