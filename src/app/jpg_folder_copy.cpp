#include "app/jpg_folder_copy.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "platform/atomic_file.h"

namespace app {
namespace {

constexpr size_t kCopyBlockBytes = 256 * 1024;

bool EndsWithJpgIgnoringCase(const QByteArray& name) { return name.size() > 4 && name.right(4).toLower() == ".jpg"; }

QByteArray Join(const QByteArray& folder, const QByteArray& name) {
  return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

// The names in a folder that end in ".jpg", as bytes, in name order; throws
// when the folder cannot be read.
std::vector<QByteArray> MatchingNames(const QByteArray& folder) {
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.constData()), ::closedir);
  if (!dir) throw std::runtime_error("Cannot open folder: " + folder.toStdString());
  std::vector<QByteArray> names;
  while (const dirent* entry = ::readdir(dir.get())) {
    const QByteArray name(entry->d_name);
    if (name != "." && name != ".." && EndsWithJpgIgnoringCase(name)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

TCopyReport::Failure KindOfWriteError(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return TCopyReport::Failure::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS: return TCopyReport::Failure::Permission;
    default: return TCopyReport::Failure::Other;
  }
}

// Makes a folder and its missing parents; 0 or the error that stopped it.
int MakeFolders(const QByteArray& folder) {
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(folder.toStdString()), error);
  return error.value();
}

struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

void TJpgFolderCopy::Fail(int error, TCopyReport::Failure kind) {
  ++report_.failed;
  if (report_.firstFailure != TCopyReport::Failure::None) return;
  report_.firstFailure = kind;
  report_.firstFailureText = QString::fromLocal8Bit(std::strerror(error));
}

TCopyReport TJpgFolderCopy::Copy(const QString& source, const QString& destination) {
  report_ = {};
  entered_.clear();
  CopyFolder(QFile::encodeName(source), QFile::encodeName(destination));
  return report_;
}

void TJpgFolderCopy::CopyFolder(const QByteArray& source, const QByteArray& destination) {
  struct stat status {};
  if (::stat(source.constData(), &status) != 0 || !S_ISDIR(status.st_mode)) {
    throw std::runtime_error("Cannot open folder: " + source.toStdString());
  }
  char* canonical = ::realpath(source.constData(), nullptr);
  const QByteArray identity = canonical ? QByteArray(canonical) : source;
  std::free(canonical);
  if (!entered_.insert(identity).second) return;

  const std::vector<QByteArray> names = MatchingNames(source);
  if (names.empty()) return;
  const int destinationError = MakeFolders(destination);

  for (const QByteArray& name : names) {
    const QByteArray from = Join(source, name), to = Join(destination, name);
    struct stat entry {};
    if (::lstat(from.constData(), &entry) != 0) continue;  // gone meanwhile
    const bool folder = S_ISDIR(entry.st_mode), file = S_ISREG(entry.st_mode) || S_ISLNK(entry.st_mode);
    if (folder && name.startsWith('.')) continue;
    if (destinationError != 0 && (file || folder)) {
      Fail(destinationError, KindOfWriteError(destinationError));
    } else if (folder) {
      MakeFolders(to);
      try {
        CopyFolder(from, to);
      } catch (const std::runtime_error&) {
        Fail(EACCES, TCopyReport::Failure::UnreadableSource);
      }
    } else if (file) {
      CopyFile(from, to);
    }
  }
}

void TJpgFolderCopy::CopyFile(const QByteArray& source, const QByteArray& destination) {
  // O_NONBLOCK: a link to a pipe must not wait for a writer; only a regular
  // file (after following links) is read.
  Descriptor in{::open(source.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
  struct stat status {};
  if (in.fd < 0) return Fail(errno, TCopyReport::Failure::UnreadableSource);
  if (::fstat(in.fd, &status) != 0 || !S_ISREG(status.st_mode)) return;  // not a photo: passed over
  if (::access(destination.constData(), F_OK) == 0) {
    ++report_.alreadyThere;
    return;
  }
  try {
    platform::TAtomicFile out{std::filesystem::path(destination.toStdString())};
    std::vector<char> block(kCopyBlockBytes);
    uint64_t copied = 0;
    for (;;) {
      const ssize_t count = ::read(in.fd, block.data(), block.size());
      if (count < 0 && errno == EINTR) continue;
      if (count < 0) return Fail(errno, TCopyReport::Failure::UnreadableSource);
      if (count == 0) break;
      if (std::fwrite(block.data(), 1, size_t(count), out.Stream()) != size_t(count)) {
        return Fail(errno, KindOfWriteError(errno));
      }
      copied += uint64_t(count);
    }
    // A source that shrank while it was read (cut short by its writer) is not
    // a whole photo.
    if (copied < uint64_t(status.st_size)) return Fail(EIO, TCopyReport::Failure::UnreadableSource);
    out.Commit(platform::TAtomicFile::Existing::Keep);
    ++report_.copied;
  } catch (const std::system_error& error) {
    if (error.code().value() == EEXIST) {
      ++report_.alreadyThere;  // appeared while it was copied
      return;
    }
    Fail(error.code().value(), KindOfWriteError(error.code().value()));
  }
}

}  // namespace app
