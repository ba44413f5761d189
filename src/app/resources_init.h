#pragma once

namespace app {

// Registers the resources the program carries (the theme, the device picture,
// the texture and the English translation). Static libraries need this call,
// or the linker drops them.
void InitResources();

}  // namespace app
