#pragma once
#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/raster/bitmap.h"

// Shared harness: every figure is reported as a ratio to a memcpy of the
// frame, row by row (counter "x_memcpy"). The memory bandwidth of a shared machine
// drifts over the minutes a run takes, so each timed call is paired with a
// memcpy of the same frame taken right beside it, and the counter is the
// median of those paired ratios.
namespace bench {

struct FrameSize {
  int32_t w, h;
};
inline const std::vector<FrameSize> kFrameSizes = {{1200, 850}, {1920, 1080}};

// Pairs timed per style benchmark and repetition. The load of a shared
// machine comes in bursts that can sway every pair of one short window, so
// the tables are taken with repetitions spread over the run:
//   --benchmark_repetitions=7 --benchmark_enable_random_interleaving=true
// and the median of the repetitions is the figure (x_memcpy_table.py).
constexpr int kPairedRuns = 21;

// Two distinct, busy test pictures of the given size.
void FillOldPicture(raster::Bitmap& b);
void FillNewPicture(raster::Bitmap& b);

// A memcpy of one frame, one call per row: where to, from where, the bytes
// of a row and how many rows. Row by row because that is how the frames copy
// pictures, and because one call for a whole frame of megabytes takes the C
// library's long-copy path, whose speed changed by up to 12 % from one process
// to the next on the same buffers, where row copies held within 1 %.
struct FrameCopy {
  void* to = nullptr;
  const void* from = nullptr;
  size_t rowBytes = 0;
  size_t rows = 0;
};

// Does the copy.
void CopyFrame(const FrameCopy& copy);

// Runs `body` per iteration, timing only it; `prepare` runs untimed before
// it. Right before `prepare`, every iteration times `reference`, a memcpy of a
// frame (by default one between two w × h bitmaps of the harness); x_memcpy
// is the median over the iterations of body time / that memcpy's time. A
// style's reference copies its new picture onto its display, what the style
// itself does at progress 100, on the same buffers in the same state of the
// caches as the frame that follows.
void TimeAgainstMemcpy(benchmark::State& state, int32_t w, int32_t h, const std::function<void()>& prepare,
                       const std::function<void()>& body, FrameCopy reference = {});

// Registers "memcpy/<w>x<h>" once: the reference copy timed like the styles,
// so its x_memcpy (a memcpy paired with a memcpy) shows how far the pairing
// itself strays from 1 on this machine.
void RegisterMemcpyReference();

// Registers the memcpy reference and "style/<n>/<w>x<h>/<progress>" for each style, frame size and the
// progress values 25, 50 and 75: each times the style's procedure alone on a
// display freshly filled with the old picture.
void RegisterStyleBenchmarks(const std::vector<int32_t>& styles);

}  // namespace bench
