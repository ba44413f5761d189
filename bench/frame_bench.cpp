#include "frame_bench.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <map>
#include <memory>
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

// The pair of frames the reference memcpy copies between, one per size: made
// like every other frame of the benchmarks, so they share its alignment.
struct ReferenceFrames {
  raster::Bitmap from, to;
};

ReferenceFrames& ReferenceFramesFor(int32_t w, int32_t h) {
  static std::map<std::pair<int32_t, int32_t>, std::unique_ptr<ReferenceFrames>> frames;
  auto& slot = frames[{w, h}];
  if (!slot) {
    slot = std::make_unique<ReferenceFrames>();
    slot->from.SetSize(w, h);
    slot->to.SetSize(w, h);
    FillOldPicture(slot->from);
  }
  return *slot;
}

double NanosSince(double t0) { return ThreadClock::NowNanos() - t0; }

double TimedMemcpy(const FrameCopy& copy) {
  const double t0 = ThreadClock::NowNanos();
  std::memcpy(copy.to, copy.from, copy.bytes);
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
    ReferenceFrames& frames = ReferenceFramesFor(w, h);
    reference = {frames.to.Bits(), frames.from.Bits(), frames.from.PixelCount() * sizeof(uint32_t)};
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
  for (const FrameSize size : kFrameSizes) {
    const std::string name = "memcpy/" + std::to_string(size.w) + "x" + std::to_string(size.h);
    benchmark::RegisterBenchmark(
        name.c_str(),
        [size](benchmark::State& state) {
          raster::Bitmap from(size.w, size.h), to(size.w, size.h);
          FillOldPicture(from);
          TimeAgainstMemcpy(
              state, size.w, size.h, [] {},
              [&] { std::memcpy(to.Bits(), from.Bits(), from.PixelCount() * sizeof(uint32_t)); });
        })
        ->Unit(benchmark::kMicrosecond)
        ->Iterations(kPairedRuns);
  }
}

void RegisterStyleBenchmarks(const std::vector<int32_t>& styles) {
  RegisterMemcpyReference();
  for (const int32_t style : styles) {
    for (const FrameSize size : kFrameSizes) {
      for (const int32_t progress : {25, 50, 75}) {
        const std::string name = "style/" + std::to_string(style) + "/" + std::to_string(size.w) + "x" +
                                 std::to_string(size.h) + "/" + std::to_string(progress);
        benchmark::RegisterBenchmark(
            name.c_str(),
            [=](benchmark::State& state) {
              auto oldPic = std::make_shared<raster::Bitmap>(size.w, size.h);
              auto newPic = std::make_shared<raster::Bitmap>(size.w, size.h);
              raster::Bitmap display(size.w, size.h);
              FillOldPicture(*oldPic);
              FillNewPicture(*newPic);
              TimeAgainstMemcpy(
                  state, size.w, size.h, [&] { raster::BitBlt(display, 0, 0, size.w, size.h, *oldPic, 0, 0); },
                  [&] { effects::DrawEffectFrame(display, *newPic, size.w, size.h, style, progress); },
                  FrameCopy{display.Bits(), newPic->Bits(), display.PixelCount() * sizeof(uint32_t)});
            })
            ->Unit(benchmark::kMicrosecond)
            ->Iterations(kPairedRuns);
      }
    }
  }
}

}  // namespace bench
