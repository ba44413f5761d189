#pragma once
#include <QString>
#include <set>

namespace app {

// Copies the entries of a folder whose names end in ".jpg" (any case) into
// another folder: files without overwriting, folders so named recursively.
// Nothing is created when the source has no matching entry. Files that cannot
// be copied and folders that cannot be made are passed over silently; a source
// folder that cannot be read throws std::runtime_error.
//
// Only plain folders are entered: a symbolic link to a folder is passed over,
// and a folder already entered (by its canonical path) is not entered again,
// so a link or mount that leads back to an ancestor cannot recurse forever.
// Only regular files are copied: a pipe or device named "x.jpg" is passed
// over rather than read.
class TJpgFolderCopy {
 public:
  void Copy(const QString& source, const QString& destination);

 private:
  std::set<QString> entered_;
};

}  // namespace app
