#include "app/demo_photo_removal.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QFile>
#include <cerrno>
#include <string>
#include <vector>

namespace app {
namespace {

struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

// Whether the open file is byte for byte the shipped photo, read from its
// start whatever was read before.
bool HoldsShippedPhoto(int fd, const TDemoPhoto& photo) {
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || uint64_t(status.st_size) != photo.size) return false;
  QCryptographicHash hash(QCryptographicHash::Sha256);
  std::vector<char> block(64 * 1024);
  off_t offset = 0;
  for (;;) {
    const ssize_t count = ::pread(fd, block.data(), block.size(), offset);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return false;
    if (count == 0) break;
    hash.addData(QByteArrayView(block.data(), count));
    offset += count;
  }
  return uint64_t(offset) == photo.size && hash.result().toHex() == photo.sha256;
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

}  // namespace

// Linux removes a file by its name, whatever file the name holds by then. So
// the file checked is first renamed to a private name, which nobody else
// uses; the file under that name is checked to be the one hashed, its content
// still the shipped one, and only then unlinked. Anything else goes back
// under its name.
TDemoRemoval RemoveShippedPhoto(const QString& folder, const TDemoPhoto& photo,
                                const std::function<void()>& afterCheck) {
  const Descriptor dir{::open(QFile::encodeName(folder).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC)};
  if (dir.fd < 0) return TDemoRemoval::Missing;
  const Descriptor file{::openat(dir.fd, photo.name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)};
  if (file.fd < 0) return errno == ENOENT ? TDemoRemoval::Missing : TDemoRemoval::Kept;
  struct stat checked {};
  if (::fstat(file.fd, &checked) != 0 || !HoldsShippedPhoto(file.fd, photo)) return TDemoRemoval::Kept;
  if (afterCheck) afterCheck();

  const std::string aside = std::string(".") + photo.name + "." + std::to_string(::getpid()) + ".removing";
  if (::renameat2(dir.fd, photo.name, dir.fd, aside.c_str(), RENAME_NOREPLACE) != 0) {
    return errno == ENOENT ? TDemoRemoval::Missing : TDemoRemoval::Failed;
  }
  struct stat renamed {};
  const bool same = ::fstatat(dir.fd, aside.c_str(), &renamed, AT_SYMLINK_NOFOLLOW) == 0 &&
                    SameFile(renamed, checked) && HoldsShippedPhoto(file.fd, photo);
  if (same && ::unlinkat(dir.fd, aside.c_str(), 0) == 0) return TDemoRemoval::Removed;
  // Not the file checked (or it cannot be removed): back under its name,
  // unless a newer file took that name meanwhile, which is not replaced.
  ::renameat2(dir.fd, aside.c_str(), dir.fd, photo.name, RENAME_NOREPLACE);
  return same ? TDemoRemoval::Failed : TDemoRemoval::Kept;
}

}  // namespace app
