#include "frame_harness.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "effects/catalogue.h"
#include "effects/frame_rule.h"
#include "platform/raster/drawing.h"

namespace bench {

namespace {

// Time the thread itself ran: a pair whose thread was preempted by another
// process (the machine is shared) still compares the work of the two calls.
// Stalls on memory count, as they should.
struct ThreadClock {
  static double NowNanos() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e9 + double(t.tv_nsec);
  }
};

// The frames every benchmark of one size draws on, made once and in a fixed
// order when the benchmarks are registered. Where a frame's pixels start
// (within a page and a cache line) is up to the allocator, and some styles
// run up to 40 % slower on one placement than on another. Frames made per
// benchmark run took their placement from whatever ran before, which random
// interleaving changes from run to run: the figures then moved with it.
struct HarnessFrames {
  raster::Bitmap oldPicture, newPicture, display;  // what the styles draw
  raster::Bitmap from, to;  // the default reference memcpy's
};

FrameCopy WholeFrameCopy(raster::Bitmap& to, const raster::Bitmap& from) {
  return {to.Bits(), from.Bits(), size_t(to.Width()) * sizeof(uint32_t), size_t(to.Height())};
}

HarnessFrames& FramesFor(int32_t w, int32_t h) {
  static std::map<std::pair<int32_t, int32_t>, std::unique_ptr<HarnessFrames>> frames;
  auto& slot = frames[{w, h}];
  if (!slot) {
    slot = std::make_unique<HarnessFrames>();
    for (raster::Bitmap* b : {&slot->oldPicture, &slot->newPicture, &slot->display, &slot->from, &slot->to}) {
      b->SetSize(w, h);
    }
    FillOldPicture(slot->oldPicture);
    FillNewPicture(slot->newPicture);
    FillOldPicture(slot->from);
    // Touched now, so that no pair's memcpy is the first write to a page.
    CopyFrame(WholeFrameCopy(slot->display, slot->newPicture));
    CopyFrame(WholeFrameCopy(slot->to, slot->from));
  }
  return *slot;
}

// Makes the frames of every size, in the order of kFrameSizes.
void MakeHarnessFrames() {
  for (const FrameSize size : kFrameSizes) FramesFor(size.w, size.h);
}

double NanosSince(double t0) { return ThreadClock::NowNanos() - t0; }

double TimedMemcpy(const FrameCopy& copy) {
  const double t0 = ThreadClock::NowNanos();
  CopyFrame(copy);
  benchmark::DoNotOptimize(copy.to);
  benchmark::ClobberMemory();
  return NanosSince(t0);
}

double Median(std::vector<double>& values) {
  const auto middle = values.begin() + std::ptrdiff_t(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

}  // namespace

void CopyFrame(const FrameCopy& copy) {
  auto* to = static_cast<char*>(copy.to);
  const auto* from = static_cast<const char*>(copy.from);
  for (size_t row = 0; row < copy.rows; ++row) {
    std::memcpy(to + row * copy.rowBytes, from + row * copy.rowBytes, copy.rowBytes);
  }
}

void FillOldPicture(raster::Bitmap& b) {
  for (int32_t y = 0; y < b.Height(); ++y) {
    uint32_t* row = b.Row(y);
    for (int32_t x = 0; x < b.Width(); ++x) row[x] = uint32_t(x * 7 + y * 3) * 0x010203u;
  }
}

void FillNewPicture(raster::Bitmap& b) {
  uint32_t s = 12345;
  for (size_t i = 0; i < b.PixelCount(); ++i) b.Bits()[i] = (s = s * 1664525u + 1013904223u) >> 8;
}

void TimeAgainstMemcpy(benchmark::State& state, int32_t w, int32_t h, const std::function<void()>& prepare,
                       const std::function<void()>& body, FrameCopy reference) {
  if (reference.to == nullptr) {
    HarnessFrames& frames = FramesFor(w, h);
    reference = WholeFrameCopy(frames.to, frames.from);
  }
  std::vector<double> ratios;
  for (auto _ : state) {
    state.PauseTiming();
    const double memcpyNanos = TimedMemcpy(reference);
    prepare();
    state.ResumeTiming();
    const double t0 = ThreadClock::NowNanos();
    body();
    benchmark::ClobberMemory();
    ratios.push_back(NanosSince(t0) / memcpyNanos);
  }
  if (!ratios.empty()) state.counters["x_memcpy"] = Median(ratios);
}

void RegisterMemcpyReference() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  MakeHarnessFrames();
  for (const FrameSize size : kFrameSizes) {
    const std::string name = "memcpy/" + std::to_string(size.w) + "x" + std::to_string(size.h);
    benchmark::RegisterBenchmark(name.c_str(),
                                 [size](benchmark::State& state) {
                                   HarnessFrames& frames = FramesFor(size.w, size.h);
                                   const FrameCopy copy = WholeFrameCopy(frames.to, frames.from);
                                   TimeAgainstMemcpy(
                                       state, size.w, size.h, [] {}, [&] { CopyFrame(copy); });
                                 })
        ->Unit(benchmark::kMicrosecond)
        ->Iterations(kPairedRuns);
  }
}

void RegisterStyleBenchmarks(const std::vector<int32_t>& styles) {
  RegisterMemcpyReference();  // makes the frames first
  for (const int32_t style : styles) {
    for (const FrameSize size : kFrameSizes) {
      for (const int32_t progress : {25, 50, 75}) {
        const std::string name = "style/" + std::to_string(style) + "/" + std::to_string(size.w) + "x" +
                                 std::to_string(size.h) + "/" + std::to_string(progress);
        benchmark::RegisterBenchmark(
            name.c_str(),
            [=](benchmark::State& state) {
              HarnessFrames& frames = FramesFor(size.w, size.h);
              raster::Bitmap& display = frames.display;
              const raster::Bitmap& newPicture = frames.newPicture;
              TimeAgainstMemcpy(
                  state, size.w, size.h,
                  [&] {
                    display.SetClipRegion(std::nullopt);
                    raster::BitBlt(display, 0, 0, size.w, size.h, frames.oldPicture, 0, 0);
                  },
                  [&] { effects::DrawEffectFrame(display, newPicture, size.w, size.h, style, progress); },
                  WholeFrameCopy(display, newPicture));
            })
            ->Unit(benchmark::kMicrosecond)
            ->Iterations(kPairedRuns);
      }
    }
  }
}

}  // namespace bench
