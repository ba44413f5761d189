// Raster layer costs as ratios to one memcpy of the frame (counter x_memcpy).
#include <cmath>
#include <cstring>
#include <numbers>
#include <string>
#include <tuple>
#include <vector>

#include "effects/frame_ops.h"
#include "effects/region_makers.h"
#include "frame_harness.h"
#include "platform/raster/drawing.h"
#include "platform/raster/random.h"

namespace {

using raster::Bitmap;
using raster::RegionPtr;

// The three region shapes the clip-and-copy figures use.
RegionPtr BarRegion(int32_t w, int32_t h) { return effects::CreateBarRgn(w + w / 3, 0, w, h, 4, 0); }

RegionPtr SwarmRegion(int32_t w, int32_t h) {
  raster::RandSeed = 2024;
  return effects::CreateSwarmRgn(w / 2, 0, w, h, 2, 0);
}

// A 24-point zigzag band across the picture.
RegionPtr PolygonRegion(int32_t w, int32_t h) {
  std::vector<int32_t> pts;
  for (int i = 0; i < 12; ++i) pts.insert(pts.end(), {w * i / 11, h / 4 + (i % 2) * h / 8});
  for (int i = 11; i >= 0; --i) pts.insert(pts.end(), {w * i / 11, 3 * h / 4 + (i % 2) * h / 8});
  return effects::CreatePolygonRgnEx(pts);
}

using RegionMaker = RegionPtr (*)(int32_t, int32_t);
const std::pair<const char*, RegionMaker> kRegions[] = {
    {"bars", BarRegion}, {"swarm", SwarmRegion}, {"polygon24", PolygonRegion}};

void Register() {
  for (const bench::FrameSize s : bench::kFrameSizes) {
    const std::string size = std::to_string(s.w) + "x" + std::to_string(s.h);
    auto pictures = [s](Bitmap& a, Bitmap& b) {
      a.SetSize(s.w, s.h);
      b.SetSize(s.w, s.h);
      bench::FillOldPicture(a);
      bench::FillNewPicture(b);
    };
    benchmark::RegisterBenchmark(("memcpy/" + size).c_str(), [=](benchmark::State& st) {
      Bitmap a, b;
      pictures(a, b);
      bench::TimeAgainstMemcpy(
          st, s.w, s.h, [] {}, [&] { std::memcpy(a.Bits(), b.Bits(), a.PixelCount() * 4); });
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("bitblt/" + size).c_str(), [=](benchmark::State& st) {
      Bitmap a, b;
      pictures(a, b);
      bench::TimeAgainstMemcpy(
          st, s.w, s.h, [] {}, [&] { raster::BitBlt(a, 0, 0, s.w, s.h, b, 0, 0); });
    })->Unit(benchmark::kMicrosecond);
    // A full frame scaled from a source twice as large (down) or half as large (up).
    for (const auto& [label, num, den] : {std::tuple{"down", 2, 1}, std::tuple{"up", 1, 2}}) {
      benchmark::RegisterBenchmark(("stretch/" + std::string(label) + "/" + size).c_str(), [=](benchmark::State& st) {
        Bitmap a(s.w, s.h), src(s.w * num / den, s.h * num / den);
        bench::FillNewPicture(src);
        bench::TimeAgainstMemcpy(
            st, s.w, s.h, [] {}, [&] { raster::StretchBlt(a, 0, 0, s.w, s.h, src, 0, 0, src.Width(), src.Height()); });
      })->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark(("stretch/mirror/" + size).c_str(), [=](benchmark::State& st) {
      Bitmap a, b;
      pictures(a, b);
      bench::TimeAgainstMemcpy(
          st, s.w, s.h, [] {}, [&] { raster::StretchBlt(a, s.w - 1, 0, -s.w, s.h, b, 0, 0, s.w, s.h); });
    })->Unit(benchmark::kMicrosecond);
    for (const auto& [name, make] : kRegions) {
      benchmark::RegisterBenchmark(("clip_copy/" + std::string(name) + "/" + size).c_str(), [=](benchmark::State& st) {
        Bitmap a, b;
        pictures(a, b);
        const RegionPtr rgn = make(s.w, s.h);
        bench::TimeAgainstMemcpy(
            st, s.w, s.h, [] {},
            [&] {
              raster::ScopedClip clip(a, rgn.get());
              raster::BitBlt(a, 0, 0, s.w, s.h, b, 0, 0);
            });
      })->Unit(benchmark::kMicrosecond);
      benchmark::RegisterBenchmark(("build/" + std::string(name) + "/" + size).c_str(), [=](benchmark::State& st) {
        bench::TimeAgainstMemcpy(
            st, s.w, s.h, [] {}, [&] { benchmark::DoNotOptimize(make(s.w, s.h)); });
        st.counters["rects_or_bands"] = double(make(s.w, s.h)->bands().size());
      })->Unit(benchmark::kMicrosecond);
    }
  }
}

const bool registered = (Register(), true);

}  // namespace
