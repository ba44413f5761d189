#include "frame_bench.h"

#include <chrono>
#include <cstring>
#include <map>
#include <memory>

#include "effects/catalogue.h"
#include "effects/frame_rule.h"
#include "platform/raster/drawing.h"

namespace bench {

namespace {
using Clock = std::chrono::steady_clock;
}

double MemcpyNanos(int32_t w, int32_t h) {
  static std::map<std::pair<int32_t, int32_t>, double> cache;
  const auto key = std::make_pair(w, h);
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  raster::Bitmap a(w, h), b(w, h);
  FillOldPicture(a);
  const size_t bytes = a.PixelCount() * 4;
  double best = 1e300;
  for (int round = 0; round < 5; ++round) {
    const int reps = 50;
    const auto t0 = Clock::now();
    for (int i = 0; i < reps; ++i) {
      std::memcpy(b.Bits(), a.Bits(), bytes);
      benchmark::DoNotOptimize(b.Bits());
      benchmark::ClobberMemory();
    }
    const double ns = std::chrono::duration<double, std::nano>(Clock::now() - t0).count() / reps;
    best = std::min(best, ns);
  }
  cache[key] = best;
  return best;
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
                       const std::function<void()>& body) {
  double total = 0;
  for (auto _ : state) {
    state.PauseTiming();
    prepare();
    state.ResumeTiming();
    const auto t0 = Clock::now();
    body();
    total += std::chrono::duration<double, std::nano>(Clock::now() - t0).count();
    benchmark::ClobberMemory();
  }
  if (state.iterations() > 0) {
    state.counters["x_memcpy"] = total / double(state.iterations()) / MemcpyNanos(w, h);
  }
}

void RegisterMemcpyReference() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  for (const FrameSize size : kFrameSizes) {
    const std::string name = "memcpy/" + std::to_string(size.w) + "x" + std::to_string(size.h);
    benchmark::RegisterBenchmark(name.c_str(), [size](benchmark::State& state) {
      raster::Bitmap from(size.w, size.h), to(size.w, size.h);
      FillOldPicture(from);
      TimeAgainstMemcpy(state, size.w, size.h, [] {},
                        [&] { std::memcpy(to.Bits(), from.Bits(), from.PixelCount() * sizeof(uint32_t)); });
    })->Unit(benchmark::kMicrosecond);
  }
}

void RegisterStyleBenchmarks(const std::vector<int32_t>& styles) {
  RegisterMemcpyReference();
  for (const int32_t style : styles) {
    for (const FrameSize size : kFrameSizes) {
      for (const int32_t progress : {25, 50, 75}) {
        const std::string name = "style/" + std::to_string(style) + "/" + std::to_string(size.w) + "x" +
                                 std::to_string(size.h) + "/" + std::to_string(progress);
        benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& state) {
          auto oldPic = std::make_shared<raster::Bitmap>(size.w, size.h);
          auto newPic = std::make_shared<raster::Bitmap>(size.w, size.h);
          raster::Bitmap display(size.w, size.h);
          FillOldPicture(*oldPic);
          FillNewPicture(*newPic);
          MemcpyNanos(size.w, size.h);
          TimeAgainstMemcpy(
              state, size.w, size.h,
              [&] { raster::BitBlt(display, 0, 0, size.w, size.h, *oldPic, 0, 0); },
              [&] { effects::DrawEffectFrame(display, *newPic, size.w, size.h, style, progress); });
        })->Unit(benchmark::kMicrosecond);
      }
    }
  }
}

}  // namespace bench
