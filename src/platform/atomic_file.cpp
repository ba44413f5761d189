#include "platform/atomic_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>
#include <system_error>

namespace platform {
namespace {

[[noreturn]] void ThrowErrno(int error, const std::filesystem::path& path) {
  throw std::system_error(error, std::generic_category(), path.string());
}

// rename() that never replaces: the kernel's no-replace rename, or where the
// file system lacks it a hard link (which fails on an existing name) and an
// unlink of the temporary name.
int RenameNoReplace(const char* from, const char* to) {
  if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return -1;
  if (::link(from, to) != 0) return -1;
  ::unlink(from);
  return 0;
}

// Bytes of the final name kept in the temporary one, leaving room for the
// additions within the 255 a name may have.
constexpr size_t kNameBytesKept = 200;

unsigned NextSerial() {
  static std::atomic<unsigned> serial{0};
  return serial++;
}

}  // namespace

TAtomicFile::TAtomicFile(std::filesystem::path path) : path_(std::move(path)) {
  const std::filesystem::path folder = path_.has_parent_path() ? path_.parent_path() : ".";
  // A hidden name, so that a folder listing made meanwhile does not show it;
  // created with the usual permissions (mkstemp's would be owner-only).
  int fd = -1;
  for (unsigned attempt = 0; fd < 0; ++attempt) {
    temporary_ = (folder / ("." + path_.filename().string().substr(0, kNameBytesKept) + "." +
                            std::to_string(::getpid()) + "-" + std::to_string(NextSerial()) + ".part"))
                     .string();
    fd = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && (errno != EEXIST || attempt == 100)) {
      temporary_.clear();
      ThrowErrno(errno, path_);
    }
  }
  stream_ = ::fdopen(fd, "wb");
  if (!stream_) {
    const int error = errno;
    ::close(fd);
    ::unlink(temporary_.c_str());
    ThrowErrno(error, path_);
  }
}

TAtomicFile::~TAtomicFile() { Discard(); }

void TAtomicFile::Discard() {
  if (stream_) {
    std::fclose(stream_);
    stream_ = nullptr;
  }
  if (!temporary_.empty()) {
    ::unlink(temporary_.c_str());
    temporary_.clear();
  }
}

void TAtomicFile::Commit(Existing existing) {
  int error = 0;
  if (std::fflush(stream_) != 0 || std::ferror(stream_)) error = errno ? errno : EIO;
  if (!error && ::fsync(::fileno(stream_)) != 0) error = errno;
  const int closed = std::fclose(stream_);
  stream_ = nullptr;
  if (!error && closed != 0) error = errno;
  if (!error) {
    const int renamed = existing == Existing::Replace ? std::rename(temporary_.c_str(), path_.c_str())
                                                      : RenameNoReplace(temporary_.c_str(), path_.c_str());
    if (renamed != 0) error = errno;
  }
  if (error) {
    Discard();
    ThrowErrno(error, path_);
  }
  temporary_.clear();
}

}  // namespace platform
