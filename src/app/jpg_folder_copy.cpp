#include "app/jpg_folder_copy.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <cerrno>
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

// The names in an open folder that end in ".jpg", as bytes, in name order;
// throws when the folder cannot be read.
std::vector<QByteArray> MatchingNames(int folder) {
  const int listed = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  DIR* opened = listed >= 0 ? ::fdopendir(listed) : nullptr;
  if (!opened) {
    if (listed >= 0) ::close(listed);
    throw std::runtime_error(std::string("Cannot open folder: ") + std::strerror(errno));
  }
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(opened, ::closedir);
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

// A copy may be read by no more people than its source: it is made with the
// source's permission bits (less the umask), and loses the group's when it
// belongs to another group (this process's, or a set-group-ID folder's)
// whose members could otherwise read what they could not.
bool LimitToSourceGroup(std::FILE* copy, const struct stat& source) {
  struct stat made {};
  const int fd = ::fileno(copy);
  if (::fstat(fd, &made) != 0) return false;
  if (made.st_gid == source.st_gid) return true;
  return ::fchmod(fd, made.st_mode & 07707) == 0;
}

}  // namespace

TJpgFolderCopy::TFolder::TFolder(int descriptor, int failure) : fd(descriptor), error(failure) {}

TJpgFolderCopy::TFolder::~TFolder() {
  if (fd >= 0) ::close(fd);
}

void TJpgFolderCopy::Fail(int error, TCopyReport::Failure kind) {
  ++report_.failed;
  if (report_.firstFailure != TCopyReport::Failure::None) return;
  report_.firstFailure = kind;
  report_.firstFailureText = QString::fromLocal8Bit(std::strerror(error));
}

bool TJpgFolderCopy::Stopped() {
  if (stop_.stop_requested()) report_.cancelled = true;
  return report_.cancelled;
}

void TJpgFolderCopy::Report() {
  if (progress_) progress_(report_.copied, bytes_);
}

TCopyReport TJpgFolderCopy::Copy(const QString& source, const QString& destination, std::stop_token stop,
                                 const TProgress& progress) {
  report_ = {};
  entered_.clear();
  bytes_ = 0;
  stop_ = stop;
  progress_ = progress;
  const QByteArray sourceBytes = QFile::encodeName(source);
  const TFolder from(::open(sourceBytes.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC), 0);
  if (from.fd < 0) throw std::runtime_error("Cannot open folder: " + sourceBytes.toStdString());
  const std::vector<QByteArray> names = MatchingNames(from.fd);
  if (names.empty()) return report_;
  // The album itself may be reached through links (the user's choice);
  // below it, nothing is.
  const QByteArray destinationBytes = QFile::encodeName(destination);
  const int made = MakeFolders(destinationBytes);
  const int opened = made == 0 ? ::open(destinationBytes.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC) : -1;
  const TFolder to(opened, made != 0 ? made : opened < 0 ? errno : 0);
  CopyFolder(from.fd, names, to);
  return report_;
}

void TJpgFolderCopy::CopyFolder(int source, const std::vector<QByteArray>& names, const TFolder& destination) {
  struct stat folder {};
  if (::fstat(source, &folder) != 0 || !entered_.insert({folder.st_dev, folder.st_ino}).second) return;
  for (const QByteArray& name : names) {
    if (Stopped()) return;
    struct stat entry {};
    if (::fstatat(source, name.constData(), &entry, AT_SYMLINK_NOFOLLOW) != 0) continue;  // gone meanwhile
    const bool isFolder = S_ISDIR(entry.st_mode), file = S_ISREG(entry.st_mode) || S_ISLNK(entry.st_mode);
    if (isFolder && name.startsWith('.')) continue;
    if (destination.error != 0 && (file || isFolder)) {
      Fail(destination.error, KindOfWriteError(destination.error));
    } else if (isFolder) {
      CopySubfolder(source, name, destination);
    } else if (file) {
      CopyFile(source, name, destination.fd);
    }
  }
}

void TJpgFolderCopy::CopySubfolder(int source, const QByteArray& name, const TFolder& destination) {
  // Made if missing and then opened without following a link: a link of that
  // name in the album (to a folder elsewhere) fails the files meant for it.
  if (::mkdirat(destination.fd, name.constData(), 0777) != 0 && errno != EEXIST) {
    const int error = errno;
    const TFolder failed(-1, error);
    return CopyFolderEntries(source, name, failed);
  }
  const int opened = ::openat(destination.fd, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  const TFolder to(opened, opened < 0 ? errno : 0);
  CopyFolderEntries(source, name, to);
}

void TJpgFolderCopy::CopyFolderEntries(int source, const QByteArray& name, const TFolder& destination) {
  const TFolder from(::openat(source, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC), 0);
  if (from.fd < 0) return Fail(EACCES, TCopyReport::Failure::UnreadableSource);
  std::vector<QByteArray> names;
  try {
    names = MatchingNames(from.fd);
  } catch (const std::runtime_error&) {
    return Fail(EACCES, TCopyReport::Failure::UnreadableSource);
  }
  CopyFolder(from.fd, names, destination);
}

void TJpgFolderCopy::CopyFile(int source, const QByteArray& name, int destination) {
  // A link is followed to what it names, and only a regular file is read;
  // O_NONBLOCK so that a link to a pipe does not wait for a writer.
  const TFolder in(::openat(source, name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC), 0);
  struct stat status {};
  if (in.fd < 0 && (errno == ENOENT || errno == ELOOP)) return;  // a link to nothing: passed over
  if (in.fd < 0) return Fail(errno, TCopyReport::Failure::UnreadableSource);
  if (::fstat(in.fd, &status) != 0 || !S_ISREG(status.st_mode)) return;  // not a photo: passed over
  struct stat existing {};
  if (::fstatat(destination, name.constData(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
    ++report_.alreadyThere;  // whatever it is, even a link: left as it is
    return;
  }
  try {
    platform::TAtomicFile out(destination, name.toStdString(), status.st_mode & 0666);
    if (!LimitToSourceGroup(out.Stream(), status)) return Fail(errno, KindOfWriteError(errno));
    std::vector<char> block(kCopyBlockBytes);
    // The size the file had when it was opened bounds the copy: a file that
    // grows while it is read, or one of the kernel's that claims no size but
    // never ends, cannot fill the disk.
    const uint64_t size = uint64_t(status.st_size);
    uint64_t copied = 0;
    while (copied < size) {
      if (Stopped()) return;  // the temporary file goes with `out`
      const ssize_t count = ::read(in.fd, block.data(), size_t(std::min<uint64_t>(block.size(), size - copied)));
      if (count < 0 && errno == EINTR) continue;
      if (count < 0) return Fail(errno, TCopyReport::Failure::UnreadableSource);
      // A source that shrank while it was read (cut short by its writer) is
      // not a whole photo.
      if (count == 0) return Fail(EIO, TCopyReport::Failure::UnreadableSource);
      if (std::fwrite(block.data(), 1, size_t(count), out.Stream()) != size_t(count)) {
        return Fail(errno, KindOfWriteError(errno));
      }
      copied += uint64_t(count);
      bytes_ += count;
      Report();
    }
    out.Commit(platform::TAtomicFile::Existing::Keep);
    ++report_.copied;
    Report();
  } catch (const std::system_error& error) {
    if (error.code() == std::errc::file_exists || error.code().category() == platform::TargetCategory()) {
      ++report_.alreadyThere;  // appeared while it was copied
      return;
    }
    Fail(error.code().value(), KindOfWriteError(error.code().value()));
  }
}

}  // namespace app
