// libFuzzer target: every input goes through the picture decoding entry point
// the program uses for photos. The input is written to a file whose extension
// follows the picture's signature (so seed files of every type reach their own
// decoder, and mutated signatures reach the others); decoding must give a
// bitmap or a PictureError, nothing else.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/picture_decoder.h"
#include "platform/picture_error.h"

namespace {

const char* ExtensionFor(const uint8_t* data, size_t size) {
  auto startsWith = [&](const char* magic, size_t length) {
    return size >= length && std::memcmp(data, magic, length) == 0;
  };
  if (startsWith("\xFF\xD8", 2)) return "jpg";
  if (startsWith("\x89PNG", 4)) return "png";
  if (startsWith("BM", 2)) return "bmp";
  if (startsWith("\0\0\1\0", 4) || startsWith("\0\0\2\0", 4)) return "ico";
  if (startsWith("II", 2) || startsWith("MM", 2)) return "tif";
  static const char* const kOthers[] = {"jpg", "png", "bmp", "ico", "tif"};
  return kOthers[size == 0 ? 0 : data[size - 1] % 5];
}

// One private folder per fuzzing process, on a memory file system when there
// is one.
const std::filesystem::path& WorkFolder() {
  static const std::filesystem::path folder = [] {
    std::string pattern = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + std::string("/picture-fuzz-XXXXXX");
    if (!mkdtemp(pattern.data())) std::abort();
    std::atexit([] { std::filesystem::remove_all(WorkFolder()); });
    return std::filesystem::path(pattern);
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::filesystem::path path = WorkFolder() / (std::string("input.") + ExtensionFor(data, size));
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);
  try {
    const auto bitmap = platform::DecodePicture(path);
    // Touch every row so that a bitmap smaller than it claims is caught.
    volatile uint32_t sum = 0;
    for (int32_t y = 0; y < bitmap->Height() && bitmap->Width() > 0; ++y)
      sum = sum + bitmap->Row(y)[bitmap->Width() - 1];
  } catch (const platform::PictureError&) {}
  std::filesystem::remove(path);
  return 0;
}
