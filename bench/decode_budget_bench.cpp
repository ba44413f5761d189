// Decoding time of hostile pictures: small files whose headers or data would
// make a decoder work far beyond their size (made fresh by
// tests/make_hostile_pictures.py), and every file of the test corpus. Each
// file is decoded once per iteration; "refused" is 1 when the decoder gave an
// error. No file of at most 10 MB should take more than a second.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/picture_decoder.h"
#include "platform/picture_error.h"

namespace {

namespace fs = std::filesystem;

void DecodeFile(benchmark::State& state, const fs::path& path) {
  bool refused = false;
  for (auto _ : state) {
    try {
      auto bitmap = platform::DecodePicture(path);
      benchmark::DoNotOptimize(bitmap.get());
    } catch (const platform::PictureError&) {
      refused = true;
    }
  }
  state.counters["refused"] = refused ? 1 : 0;
  state.counters["file_KB"] = double(fs::file_size(path)) / 1024;
}

// Machine reference for the figures above: taking and touching the 600 MB a
// progressive 100-megapixel picture needs for its coefficients, which any
// decoder of such a picture pays before its first scan.
void TouchCoefficientMemory(benchmark::State& state) {
  constexpr size_t kBytes = size_t(10000) * 10000 * 3 * 2;
  for (auto _ : state) {
    std::unique_ptr<char[]> memory(new char[kBytes]);
    std::memset(memory.get(), 0, kBytes);
    benchmark::DoNotOptimize(memory.get());
  }
}

std::vector<fs::path> FilesUnder(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file() && entry.path().extension() != ".txt") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder = (fs::temp_directory_path() / "decode-budget-XXXXXX").string();
  if (!mkdtemp(folder.data())) return 1;
  const std::string make = "python3 " VANTREL_SOURCE_DIR "/tests/make_hostile_pictures.py " + folder + " >/dev/null";
  if (std::system(make.c_str()) != 0) return 1;

  for (const fs::path& file : FilesUnder(folder)) {
    benchmark::RegisterBenchmark(("hostile/" + file.filename().string()).c_str(), DecodeFile, file)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
  }
  benchmark::RegisterBenchmark("reference/touch_600MB", TouchCoefficientMemory)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(1);
  const fs::path corpus = VANTREL_SOURCE_DIR "/tests/data";
  for (const fs::path& file : FilesUnder(corpus)) {
    benchmark::RegisterBenchmark(("corpus/" + fs::relative(file, corpus).string()).c_str(), DecodeFile, file)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fs::remove_all(folder);
  return 0;
}
