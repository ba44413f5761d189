// A slideshow video of 20 photos of 4000 × 3000 at 1920 × 1080, 30 fps:
// frames per second and CPU seconds of our export, and beside it, in the
// same run, the ffmpeg program making the same show with the same encoder
// settings (each photo decoded once, one xfade fade per change), and the
// encoder alone re-encoding our video, the floor of any export. Run by hand;
// it takes minutes.
//
// VANTREL_BENCH_PHOTOS=N makes a shorter show for a quick look.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "camera_jpeg.h"
#include "export/slideshow_export.h"

namespace {

namespace fs = std::filesystem;

constexpr int kPhotoW = 4000, kPhotoH = 3000;
constexpr int kFps = 30, kStillSeconds = 3, kChangeSeconds = 1;

int PhotoCount() {
  const char* n = std::getenv("VANTREL_BENCH_PHOTOS");
  return n != nullptr && std::atoi(n) >= 2 ? std::atoi(n) : 20;
}

// Seconds of CPU time used so far by this process (`who` RUSAGE_SELF) or by
// its waited-for children (RUSAGE_CHILDREN): the encoder's threads count.
double CpuSeconds(int who) {
  rusage usage{};
  getrusage(who, &usage);
  const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

constexpr const char* kEncoder = " -c:v libx264 -preset veryfast -crf 20 -pix_fmt yuv420p";

std::string PhotoName(int index) {
  char name[32];
  std::snprintf(name, sizeof name, "photo%02d.jpg", index);
  return name;
}

// A busy photo (gradients under a fine pattern), different for every index,
// at JPEG quality 90 as a camera would write it.
void WritePhoto(const fs::path& path, int index) {
  bench::WriteCameraJpeg(path, kPhotoW, kPhotoH, [index](int y, JSAMPLE* row) {
    for (int x = 0; x < kPhotoW; ++x) {
      const int fine = ((x * 7 + y * 13 + index * 31) ^ (x * y >> 9)) & 63;
      row[size_t(x) * 3 + 0] = JSAMPLE((x * 255 / kPhotoW + index * 40 + fine) & 255);
      row[size_t(x) * 3 + 1] = JSAMPLE((y * 255 / kPhotoH + index * 70 + fine) & 255);
      row[size_t(x) * 3 + 2] = JSAMPLE(((x + y) * 255 / (kPhotoW + kPhotoH) + index * 20 + fine) & 255);
    }
  });
}

// The photo folder, made once for both benchmarks and removed at exit.
struct Album {
  fs::path folder = fs::temp_directory_path() / ("video_export_bench_" + std::to_string(::getpid()));
  int photos = PhotoCount();
  Album() {
    fs::create_directories(folder / "photos");
    for (int i = 0; i < photos; ++i) WritePhoto(folder / "photos" / PhotoName(i), i);
  }
  ~Album() { fs::remove_all(folder); }
  int64_t Frames() const {
    return int64_t(photos) * kStillSeconds * kFps + int64_t(photos - 1) * kChangeSeconds * kFps;
  }
};

const Album& TheAlbum() {
  static const Album album;
  return album;
}

void Report(benchmark::State& state, int64_t frames, double seconds, double cpuSeconds) {
  state.SetIterationTime(seconds);
  state.counters["frames"] = double(frames);
  state.counters["fps"] = double(frames) / seconds;
  state.counters["cpu_s"] = cpuSeconds;
}

void BM_OurExport(benchmark::State& state) {
  const Album& album = TheAlbum();
  video_export::ExportSettings s;
  s.folder = album.folder / "photos";
  s.output = album.folder / "ours.mp4";
  s.intervalSeconds = kStillSeconds;
  s.transitionMs = kChangeSeconds * 1000;
  s.order = video_export::StyleOrder::Fixed;
  s.style = 119;  // Fade, as in the comparison
  for (auto _ : state) {
    video_export::ExportObserver quiet;
    const double cpuBefore = CpuSeconds(RUSAGE_SELF);
    const auto start = std::chrono::steady_clock::now();
    const video_export::ExportSummary summary = video_export::ExportSlideshow(s, quiet);
    Report(state, summary.frames, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
           CpuSeconds(RUSAGE_SELF) - cpuBefore);
  }
}

// The graph an expert would write: each photo an input decoded once, placed
// as --placement fit does (nearest-pixel scaling, centred on black), held by
// the loop filter for its still and its changes, the changes xfade fades;
// libx264 with our preset and quality.
std::string XfadeCommand(const Album& album, const fs::path& out) {
  std::string inputs, graph;
  const std::string fps = std::to_string(kFps);
  for (int i = 0; i < album.photos; ++i) {
    const int frames = kFps * (kStillSeconds + kChangeSeconds * ((i > 0) + (i < album.photos - 1)));
    inputs += " -framerate " + fps + " -i " + (album.folder / "photos" / PhotoName(i)).string();
    graph += "[" + std::to_string(i) + ":v]scale=1920:1080:force_original_aspect_ratio=decrease:flags=neighbor," +
             "pad=1920:1080:(ow-iw)/2:(oh-ih)/2,setsar=1,format=yuv420p,loop=loop=" + std::to_string(frames - 1) +
             ":size=1:start=0,setpts=N/" + fps + "/TB[p" + std::to_string(i) + "];";
  }
  std::string last = "[p0]";
  for (int k = 1; k < album.photos; ++k) {
    const int offset = k * (kStillSeconds + kChangeSeconds) - kChangeSeconds;
    const std::string next = "[x" + std::to_string(k) + "]";
    graph += last + "[p" + std::to_string(k) + "]xfade=transition=fade:duration=" + std::to_string(kChangeSeconds) +
             ":offset=" + std::to_string(offset) + next + (k + 1 < album.photos ? ";" : "");
    last = next;
  }
  return "ffmpeg -nostdin -hide_banner -loglevel error -y" + inputs + " -filter_complex \"" + graph + "\" -map \"" +
         last + "\"" + kEncoder + " -r " + fps + " -movflags +faststart " + out.string();
}

// The floor: the encoder alone, re-encoding our own video's frames with the
// same settings (decoding H.264 on the way, a small part of the time).
std::string ReencodeCommand(const fs::path& ours, const fs::path& out) {
  return "ffmpeg -nostdin -hide_banner -loglevel error -y -i " + ours.string() + kEncoder + " -movflags +faststart " +
         out.string();
}

bool FfmpegInstalled(benchmark::State& state) {
  if (std::system("ffmpeg -version >/dev/null 2>&1") == 0) return true;
  state.SkipWithError("the ffmpeg program is not installed (scripts/setup installs it)");
  return false;
}

void RunFfmpeg(benchmark::State& state, const std::string& command, int64_t frames) {
  for (auto _ : state) {
    const double cpuBefore = CpuSeconds(RUSAGE_CHILDREN);
    const auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError(("ffmpeg failed: " + command).c_str());
      return;
    }
    Report(state, frames, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
           CpuSeconds(RUSAGE_CHILDREN) - cpuBefore);
  }
}

void BM_FfmpegXfade(benchmark::State& state) {
  const Album& album = TheAlbum();
  if (!FfmpegInstalled(state)) return;
  RunFfmpeg(state, XfadeCommand(album, album.folder / "xfade.mp4"), album.Frames());
}

void BM_EncoderAlone(benchmark::State& state) {
  const Album& album = TheAlbum();
  if (!FfmpegInstalled(state)) return;
  if (!fs::exists(album.folder / "ours.mp4")) {
    state.SkipWithError("our video is missing: BM_OurExport runs first");
    return;
  }
  RunFfmpeg(state, ReencodeCommand(album.folder / "ours.mp4", album.folder / "reencoded.mp4"), album.Frames());
}

BENCHMARK(BM_OurExport)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_FfmpegXfade)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_EncoderAlone)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
