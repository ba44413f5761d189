#include "platform/exif_orientation.h"

#include <fcntl.h>
#include <libexif/exif-data.h>
#include <libexif/exif-loader.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace platform {
namespace {

// The EXIF block of a JPEG lies in an APP1 segment near the start; segments
// are at most 64 KiB, and a few may come before it.
constexpr size_t kMaxBytesBeforeExif = size_t(1) << 20;
constexpr size_t kChunkBytes = size_t(1) << 16;

struct LoaderUnref {
  void operator()(ExifLoader* loader) const { exif_loader_unref(loader); }
};
struct DataUnref {
  void operator()(ExifData* data) const { exif_data_unref(data); }
};

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// libexif's loader finds the EXIF block among the JPEG's segments; the bytes
// are read here, from a regular file only (a FIFO or device would block).
std::unique_ptr<ExifLoader, LoaderUnref> LoadExifBlock(const std::filesystem::path& path) {
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat status {};
  if (file.get() < 0 || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) return nullptr;
  std::unique_ptr<ExifLoader, LoaderUnref> loader(exif_loader_new());
  if (!loader) return nullptr;
  auto chunk = std::make_unique<unsigned char[]>(kChunkBytes);
  for (size_t total = 0; total < kMaxBytesBeforeExif;) {
    const ssize_t n = ::read(file.get(), chunk.get(), kChunkBytes);
    if (n <= 0) break;
    total += size_t(n);
    if (!exif_loader_write(loader.get(), chunk.get(), static_cast<unsigned int>(n))) break;
  }
  return loader;
}

}  // namespace

int ReadExifOrientation(const std::filesystem::path& path) {
  const auto loader = LoadExifBlock(path);
  if (!loader) return 1;
  const unsigned char* block = nullptr;
  unsigned int size = 0;
  exif_loader_get_buf(loader.get(), &block, &size);
  if (block == nullptr || size == 0) return 1;

  std::unique_ptr<ExifData, DataUnref> data(exif_data_new());
  if (!data) return 1;
  // Read the tags as written: libexif would otherwise "repair" the block,
  // adding a default Orientation of its own.
  exif_data_unset_option(data.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
  exif_data_load_data(data.get(), block, size);

  const ExifEntry* entry = exif_content_get_entry(data->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
  if (entry == nullptr || entry->format != EXIF_FORMAT_SHORT || entry->components < 1 || entry->data == nullptr ||
      entry->size < 2) {
    return 1;
  }
  const int value = exif_get_short(entry->data, exif_data_get_byte_order(data.get()));
  return value >= 1 && value <= 8 ? value : 1;
}

}  // namespace platform
