#include "platform/picture_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/non_regular_file.h"
#include "platform/picture_error.h"
#include "platform/picture_limits.h"

namespace platform {

std::string PictureFileName(const std::filesystem::path& path) { return path.filename().string(); }

UniqueFile OpenPictureFile(const std::filesystem::path& path) {
  const std::string name = PictureFileName(path);
  // O_NONBLOCK: opening a pipe for reading would otherwise wait for a writer
  // for ever. The file's type is checked on the opened descriptor, so what is
  // checked is what is read.
  TUniqueDescriptor descriptor(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (descriptor.get() < 0) throw PictureError(name, std::string("cannot open: ") + std::strerror(errno));
  struct stat status {};
  if (::fstat(descriptor.get(), &status) != 0) {
    throw PictureError(name, std::string("cannot open: ") + std::strerror(errno));
  }
  if (!S_ISREG(status.st_mode)) throw PictureError(name, KindOfNonRegularFile(status.st_mode, "picture file"));
  if (uint64_t(status.st_size) > kMaxPictureFileBytes) {
    throw PictureError(
        name, "file of " + std::to_string(status.st_size) + " bytes is larger than any picture of the accepted size");
  }
  // Reads of a regular file never block; the flag is cleared all the same so
  // that the stream behaves as a plain one.
  ::fcntl(descriptor.get(), F_SETFL, ::fcntl(descriptor.get(), F_GETFL) & ~O_NONBLOCK);
  UniqueFile file(::fdopen(descriptor.get(), "rb"));
  if (!file) throw PictureError(name, std::string("cannot open: ") + std::strerror(errno));
  descriptor.Release();  // the stream owns it now
  return file;
}

uint64_t OpenFileSize(std::FILE* file) {
  struct stat status {};
  return ::fstat(::fileno(file), &status) == 0 ? uint64_t(status.st_size) : 0;
}

}  // namespace platform
