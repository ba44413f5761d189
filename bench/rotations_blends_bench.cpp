// Frame cost of the pivots, sweeps, turning shapes, fade, pixelate, dissolve,
// random bars and channel mix, as multiples of one memcpy of the frame. The
// memcpy rows time that copy in the same run, as a check on the machine's
// steadiness.
#include <cstring>

#include "frame_bench.h"

namespace {

void RegisterMemcpyReference() {
  for (const bench::FrameSize size : bench::kFrameSizes) {
    const std::string name = "memcpy/" + std::to_string(size.w) + "x" + std::to_string(size.h);
    benchmark::RegisterBenchmark(name.c_str(), [size](benchmark::State& state) {
      raster::Bitmap from(size.w, size.h), to(size.w, size.h);
      bench::FillOldPicture(from);
      bench::TimeAgainstMemcpy(
          state, size.w, size.h, [] {},
          [&] { std::memcpy(to.Bits(), from.Bits(), from.PixelCount() * sizeof(uint32_t)); });
    })->Unit(benchmark::kMicrosecond);
  }
}

const bool registered = (RegisterMemcpyReference(),
                         bench::RegisterStyleBenchmarks({
                             // pivots, sweeps, turning rectangle, star and spiral
                             120, 121, 122, 123, 144, 145, 150, 151, 152,
                             // fade, pixelate, dissolve, random bars, channel mix
                             119, 168, 169, 170, 171, 172,
                         }),
                         true);

}  // namespace
