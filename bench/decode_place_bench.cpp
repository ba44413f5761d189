// The window thread's work from a 24-megapixel camera JPEG to the placed
// picture a transition starts from: TPicture::LoadFromFile, then Execute of a
// paused transition (placement, the new-picture bitmap, the old picture).
//
//   decode_place/<screen>/<view>   the whole path, the photo decoded for the screen
//   decode_place/natural_size_as_before   the same path without either
//   decode_place/<screen>/<view>/decoded_ahead   the window thread's part at a
//                                  change of photo in the program, which has
//                                  the photo decoded on a worker thread while
//                                  the one before shows: taking it in and
//                                  Execute
//   full_decode                    the JPEG decoded at full size alone
//
// Counters: held_x_screen is the decoded picture's bytes (what the holder
// keeps per photo) over the screen's bytes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include "app/photo_preload.h"
#include "camera_jpeg.h"
#include "platform/picture_decoder.h"
#include "view/custom_vantrel.h"

namespace {

namespace fs = std::filesystem;

constexpr int kPhotoW = 6000, kPhotoH = 4000;

// A folder for the photo, removed when the program ends.
struct PhotoFolder {
  fs::path path;
  PhotoFolder() {
    char name[] = "/tmp/decode_place_benchXXXXXX";
    if (!mkdtemp(name)) std::abort();
    path = name;
  }
  ~PhotoFolder() { fs::remove_all(path); }
};

// Fine detail all over (as a camera photo of foliage or fabric has), saved
// as a camera does: quality 90, chroma subsampled 2 × 2.
fs::path CameraPhoto() {
  static PhotoFolder folder;
  static const fs::path file = [] {
    const fs::path path = folder.path / "camera.jpg";
    bench::WriteCameraJpeg(path, kPhotoW, kPhotoH, [](int y, JSAMPLE* row) {
      for (int x = 0; x < kPhotoW; ++x) {
        row[x * 3 + 0] = JSAMPLE((x * 255 / kPhotoW + ((x ^ y) & 31)) & 0xFF);
        row[x * 3 + 1] = JSAMPLE((y * 255 / kPhotoH + ((x * y) >> 7 & 63)) & 0xFF);
        row[x * 3 + 2] = JSAMPLE(((x + y) % 7) * 30);
      }
    });
    return path;
  }();
  return file;
}

struct Placement {
  const char* name;
  int32_t screenW, screenH;  // the primary screen: what photos are decoded for
  int32_t clientW, clientH;  // the view's client area
  int32_t frameWidth;
  bool decodeForScreen;  // false: decoded at full size and kept at natural size
};

// The last row repeats the path as it was before photos were decoded for the
// screen and reduced where placed: a full decode, and the transition's three
// bitmaps at the photo's natural size (placement at natural size does exactly
// that work).
const Placement kPlacements[] = {
    {"1920x1080/window", 1920, 1080, 992, 682, 1, true},
    {"1920x1080/full_screen", 1920, 1080, 1920, 1080, 0, true},
    {"3840x2160/full_screen", 3840, 2160, 3840, 2160, 0, true},
    {"natural_size_as_before", 1920, 1080, 1920, 1080, 0, false},
};

// The view as the placement has it, paused at a transition's start.
void PlaceAs(view::TCustomVantrel& vantrel, const Placement& p) {
  vantrel.WMSize(p.clientW, p.clientH);
  vantrel.SetFrameWidth(p.frameWidth);
  vantrel.SetCenter(true);
  vantrel.SetProportional(p.decodeForScreen);
  vantrel.SetManual(true);
  if (p.decodeForScreen) vantrel.Picture().SetLoadCover({p.screenW, p.screenH});
}

void BM_DecodeAndPlace(benchmark::State& state, Placement p) {
  const fs::path photo = CameraPhoto();
  view::TCustomVantrel vantrel;
  PlaceAs(vantrel, p);
  for (auto _ : state) {
    vantrel.Picture().LoadFromFile(photo);
    vantrel.Execute();
    state.PauseTiming();
    vantrel.Stop();
    state.ResumeTiming();
  }
  const double held = double(vantrel.Picture().Width()) * vantrel.Picture().Height() * 4;
  state.counters["held_x_screen"] = held / (double(p.screenW) * p.screenH * 4);
  state.counters["decoded_w"] = vantrel.Picture().Width();
  state.counters["placed_w"] = vantrel.DisplayRect().width();
}

void BM_DecodedAheadAndPlace(benchmark::State& state, Placement p) {
  const fs::path photo = CameraPhoto();
  view::TCustomVantrel vantrel;
  PlaceAs(vantrel, p);
  app::TPhotoPreload preload;
  for (auto _ : state) {
    state.PauseTiming();
    std::promise<void> ready;
    preload.Start("camera.jpg", photo, vantrel.Picture().LoadCover(), [&] { ready.set_value(); });
    ready.get_future().wait();
    state.ResumeTiming();
    std::optional<app::TPhotoPreload::TDecoded> decoded = preload.Take(false);
    if (!decoded || !decoded->graphic) {
      state.SkipWithError("the photo was not decoded");
      break;
    }
    vantrel.Picture().SetGraphic(std::move(decoded->graphic));
    vantrel.Execute();
    state.PauseTiming();
    vantrel.Stop();
    state.ResumeTiming();
  }
  state.counters["placed_w"] = vantrel.DisplayRect().width();
}

void BM_FullDecode(benchmark::State& state) {
  const fs::path photo = CameraPhoto();
  for (auto _ : state) benchmark::DoNotOptimize(platform::DecodePicture(photo));
}

const bool registered = [] {
  for (const Placement& p : kPlacements) {
    benchmark::RegisterBenchmark((std::string("decode_place/") + p.name).c_str(), BM_DecodeAndPlace, p)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(1.0);
  }
  for (const Placement& p : kPlacements) {
    if (!p.decodeForScreen) continue;
    benchmark::RegisterBenchmark((std::string("decode_place/") + p.name + "/decoded_ahead").c_str(),
                                 BM_DecodedAheadAndPlace, p)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(1.0);
  }
  benchmark::RegisterBenchmark("full_decode", BM_FullDecode)->Unit(benchmark::kMillisecond)->MinTime(1.0);
  return true;
}();

}  // namespace
