#pragma once
#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/raster/bitmap.h"

// Shared harness: every figure is reported as a ratio to one memcpy of the
// frame's bytes, measured in the same run (counter "x_memcpy").
namespace bench {

struct FrameSize {
  int32_t w, h;
};
inline const std::vector<FrameSize> kFrameSizes = {{1200, 850}, {1920, 1080}};

// Nanoseconds of one memcpy of a w × h frame (measured once per size, cached).
double MemcpyNanos(int32_t w, int32_t h);

// Two distinct, busy test pictures of the given size.
void FillOldPicture(raster::Bitmap& b);
void FillNewPicture(raster::Bitmap& b);

// Runs `body` per iteration, timing only it; `prepare` runs untimed before
// each iteration. Sets the x_memcpy counter for a w × h frame.
void TimeAgainstMemcpy(benchmark::State& state, int32_t w, int32_t h, const std::function<void()>& prepare,
                       const std::function<void()>& body);

// Registers "memcpy/<w>x<h>" once: the reference copy timed like the styles,
// so a busy machine shows as its x_memcpy drifting from 1.
void RegisterMemcpyReference();

// Registers the memcpy reference and "style/<n>/<w>x<h>/<progress>" for each style, frame size and the
// progress values 25, 50 and 75: each times the style's procedure alone on a
// display freshly filled with the old picture.
void RegisterStyleBenchmarks(const std::vector<int32_t>& styles);

}  // namespace bench
