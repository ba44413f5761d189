#include "platform/atomic_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

namespace platform {
namespace {

class TTargetCategory : public std::error_category {
 public:
  const char* name() const noexcept override { return "target"; }
  std::string message(int code) const override {
    switch (TTargetError(code)) {
      case TTargetError::Folder: return "it is a folder";
      case TTargetError::SymbolicLink: return "it is a symbolic link";
      case TTargetError::NotRegularFile: return "it is not a regular file";
    }
    return "it cannot be replaced";
  }
};

[[noreturn]] void Throw(std::error_code code, const std::filesystem::path& path) {
  throw std::system_error(code, path.string());
}

[[noreturn]] void ThrowErrno(int error, const std::filesystem::path& path) {
  Throw(std::error_code(error, std::generic_category()), path);
}

// Whether `name` in the folder may be replaced by a regular file: it does not
// exist or is one itself. Links are not followed.
std::error_code CheckReplaceable(int folder, const std::string& name) {
  struct stat status {};
  if (::fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
    return errno == ENOENT ? std::error_code() : std::error_code(errno, std::generic_category());
  }
  if (S_ISREG(status.st_mode)) return {};
  if (S_ISDIR(status.st_mode)) return MakeErrorCode(TTargetError::Folder);
  if (S_ISLNK(status.st_mode)) return MakeErrorCode(TTargetError::SymbolicLink);
  return MakeErrorCode(TTargetError::NotRegularFile);
}

// renameat() that never replaces: the kernel's no-replace rename, or where the
// file system lacks it a hard link (which fails on an existing name) and an
// unlink of the temporary name.
int RenameNoReplace(int folder, const char* from, const char* to) {
  if (::renameat2(folder, from, folder, to, RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return -1;
  if (::linkat(folder, from, folder, to, 0) != 0) return -1;
  ::unlinkat(folder, from, 0);
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

const std::error_category& TargetCategory() {
  static const TTargetCategory category;
  return category;
}

std::error_code MakeErrorCode(TTargetError error) { return {int(error), TargetCategory()}; }

TAtomicFile::TAtomicFile(std::filesystem::path path, mode_t mode) : path_(std::move(path)) {
  folderPath_ = path_.has_parent_path() ? path_.parent_path() : ".";
  name_ = path_.filename().string();
  if (name_.empty() || name_ == "." || name_ == "..") Throw(MakeErrorCode(TTargetError::Folder), path_);
  folder_ = ::open(folderPath_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (folder_ < 0) ThrowErrno(errno, path_);
  Create(mode);
}

TAtomicFile::TAtomicFile(int folderFd, const std::string& name, mode_t mode) : path_(name), name_(name) {
  folder_ = ::fcntl(folderFd, F_DUPFD_CLOEXEC, 0);
  if (folder_ < 0) ThrowErrno(errno, path_);
  Create(mode);
}

void TAtomicFile::Create(mode_t mode) {
  if (const std::error_code refused = CheckReplaceable(folder_, name_)) {
    Discard();
    Throw(refused, path_);
  }
  // A hidden name, so that a folder listing made meanwhile does not show it.
  int fd = -1;
  for (unsigned attempt = 0; fd < 0; ++attempt) {
    temporary_ = "." + name_.substr(0, kNameBytesKept) + "." + std::to_string(::getpid()) + "-" +
                 std::to_string(NextSerial()) + ".part";
    fd = ::openat(folder_, temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0 && (errno != EEXIST || attempt == 100)) {
      const int error = errno;
      temporary_.clear();
      Discard();
      ThrowErrno(error, path_);
    }
  }
  stream_ = ::fdopen(fd, "wb");
  if (!stream_) {
    const int error = errno;
    ::close(fd);
    Discard();
    ThrowErrno(error, path_);
  }
}

TAtomicFile::~TAtomicFile() { Discard(); }

std::filesystem::path TAtomicFile::TemporaryPath() const {
  if (!folderPath_.empty()) return folderPath_ / temporary_;
  return std::filesystem::path("/proc/self/fd") / std::to_string(folder_) / temporary_;
}

void TAtomicFile::Discard() {
  if (stream_) {
    std::fclose(stream_);
    stream_ = nullptr;
  }
  if (!temporary_.empty()) {
    ::unlinkat(folder_, temporary_.c_str(), 0);
    temporary_.clear();
  }
  if (folder_ >= 0) {
    ::close(folder_);
    folder_ = -1;
  }
}

void TAtomicFile::Commit(Existing existing) {
  std::error_code error;
  const auto failed = [&](int code) { error.assign(code ? code : EIO, std::generic_category()); };
  if (std::fflush(stream_) != 0 || std::ferror(stream_)) failed(errno);
  if (!error && ::fsync(::fileno(stream_)) != 0) failed(errno);
  const int closed = std::fclose(stream_);
  stream_ = nullptr;
  if (!error && closed != 0) failed(errno);
  if (!error && existing == Existing::Replace) {
    // Checked again: the target may have been replaced while the file was written.
    error = CheckReplaceable(folder_, name_);
    if (!error && ::renameat(folder_, temporary_.c_str(), folder_, name_.c_str()) != 0) failed(errno);
  } else if (!error && RenameNoReplace(folder_, temporary_.c_str(), name_.c_str()) != 0) {
    failed(errno);
  }
  if (error) {
    Discard();
    Throw(error, path_);
  }
  temporary_.clear();
  Discard();
}

}  // namespace platform
