#pragma once
#include <sys/types.h>

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <set>
#include <stop_token>
#include <utility>
#include <vector>

namespace app {

// What a copy did, file by file.
struct TCopyReport {
  enum class Failure { None, DiskFull, Permission, UnreadableSource, Other };
  int copied = 0;
  int alreadyThere = 0;  // a file of that name was in the album: left as it was
  int failed = 0;
  Failure firstFailure = Failure::None;
  QString firstFailureText;  // the system's words, for Failure::Other
  bool cancelled = false;  // stopped on request: the counts are what was done before
};

// Copies the entries of a folder whose names end in ".jpg" (any case) into
// another folder: files without overwriting, folders so named recursively.
// Nothing is created when the source has no matching entry. A source folder
// that cannot be read throws std::runtime_error; everything else is counted in
// the report.
//
// Each file is written under a temporary name in the destination and renamed
// into place only when complete and flushed to the disk, so a full disk, a
// source cut short while being read, a stop or any other failure leaves no
// partial file under the real name. Names are handled as bytes: one that
// isn't UTF-8 is copied like any other.
//
// What a hostile source or album may hold:
// - Only plain folders are entered: a symbolic link to a folder is passed
//   over, and a folder already entered is not entered again, so a mount that
//   leads back to an ancestor cannot recurse forever.
// - A link to a regular file is copied as that file; links to anything else,
//   pipes and devices are passed over rather than read.
// - A file is read no further than the size it had when it was opened.
// - A copy is readable by no more people than its source: it gets the
//   source's permission bits (less the umask), without the group's when it
//   belongs to another group than the source.
// - Below the destination folder nothing is written through a link: a link
//   named like a folder to copy fails the files meant for it, and one named
//   like a file to copy counts as a file already there.
class TJpgFolderCopy {
 public:
  // Files copied and bytes read so far, reported as the copy goes (on the
  // thread that copies).
  using TProgress = std::function<void(int files, int64_t bytes)>;

  // Stops between two blocks of a file when `stop` is requested: the photos
  // copied until then stay, the one being copied is removed, and the report
  // says it was cancelled.
  TCopyReport Copy(const QString& source, const QString& destination, std::stop_token stop = {},
                   const TProgress& progress = {});

 private:
  // An open folder of the destination, or why there is none.
  struct TFolder {
    TFolder(int descriptor, int failure);
    ~TFolder();
    TFolder(const TFolder&) = delete;
    TFolder& operator=(const TFolder&) = delete;
    int fd;
    int error;
  };

  void CopyFolder(int source, const std::vector<QByteArray>& names, const TFolder& destination);
  void CopySubfolder(int source, const QByteArray& name, const TFolder& destination);
  void CopyFolderEntries(int source, const QByteArray& name, const TFolder& destination);
  void CopyFile(int source, const QByteArray& name, int destination);
  void Fail(int error, TCopyReport::Failure kind);
  bool Stopped();
  void Report();

  std::set<std::pair<dev_t, ino_t>> entered_;
  TCopyReport report_;
  int64_t bytes_ = 0;
  std::stop_token stop_;
  TProgress progress_;
};

}  // namespace app
