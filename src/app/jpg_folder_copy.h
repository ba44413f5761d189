#pragma once
#include <QByteArray>
#include <QString>
#include <set>

namespace app {

// What a copy did, file by file.
struct TCopyReport {
  enum class Failure { None, DiskFull, Permission, UnreadableSource, Other };
  int copied = 0;
  int alreadyThere = 0;  // a file of that name was in the album: left as it was
  int failed = 0;
  Failure firstFailure = Failure::None;
  QString firstFailureText;  // the system's words, for Failure::Other
};

// Copies the entries of a folder whose names end in ".jpg" (any case) into
// another folder: files without overwriting, folders so named recursively.
// Nothing is created when the source has no matching entry. A source folder
// that cannot be read throws std::runtime_error; everything else is counted in
// the report.
//
// Each file is written under a temporary name in the destination and renamed
// into place only when complete and flushed to the disk, so a full disk, a
// source cut short while being read or any other failure leaves no partial
// file under the real name. Names are handled as bytes: one that isn't UTF-8
// is copied like any other.
//
// Only plain folders are entered: a symbolic link to a folder is passed over,
// and a folder already entered (by its canonical path) is not entered again,
// so a link or mount that leads back to an ancestor cannot recurse forever.
// Only regular files are copied: a pipe or device named "x.jpg" is passed
// over rather than read.
class TJpgFolderCopy {
 public:
  TCopyReport Copy(const QString& source, const QString& destination);

 private:
  void CopyFolder(const QByteArray& source, const QByteArray& destination);
  void CopyFile(const QByteArray& source, const QByteArray& destination);
  void Fail(int error, TCopyReport::Failure kind);

  std::set<QByteArray> entered_;
  TCopyReport report_;
};

}  // namespace app
