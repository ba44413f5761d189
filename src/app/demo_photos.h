#pragma once
#include <cstdint>
#include <span>

namespace app {

// One of the demonstration photos the program ships in its album folder.
struct TDemoPhoto {
  const char* name;  // "1001.jpg" ... "1009.jpg"
  uint64_t size;  // bytes
  const char* sha256;  // lower-case hexadecimal
};

// The nine demonstration photos, in the order of their names; recorded when
// the program was built (defined in the generated resources).
std::span<const TDemoPhoto> DemoPhotos();

}  // namespace app
