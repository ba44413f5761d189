#pragma once
#include <sys/types.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace platform {

// Why an existing target is not replaced: the error codes of
// TargetCategory(), carried by std::system_error like the system's own.
enum class TTargetError { Folder = 1, SymbolicLink, NotRegularFile };
const std::error_category& TargetCategory();
std::error_code MakeErrorCode(TTargetError error);

// A file written under a temporary name beside its final one and renamed into
// place only when complete: readers of the final name see the old file or the
// whole new one, never a part. A write that fails or is abandoned (the object
// destroyed without Commit) removes the temporary file and leaves the final
// name as it was.
//
// Only a regular file is ever replaced: a target that exists as a folder, a
// symbolic link, a device, a pipe or a socket is refused (when the file is
// made and again at the commit), so that neither a device node nor whatever a
// link points to is replaced.
class TAtomicFile {
 public:
  enum class Existing { Replace, Keep };

  // Creates the temporary file in the folder of `path`, with `mode` (less
  // the umask); throws std::system_error naming the file when it cannot.
  explicit TAtomicFile(std::filesystem::path path, mode_t mode = 0666);
  // The file `name` of the open folder `folderFd` (which is duplicated, not
  // taken): nothing outside that folder is touched, whatever links its path
  // holds.
  TAtomicFile(int folderFd, const std::string& name, mode_t mode = 0666);
  ~TAtomicFile();
  TAtomicFile(const TAtomicFile&) = delete;
  TAtomicFile& operator=(const TAtomicFile&) = delete;

  std::FILE* Stream() const { return stream_; }
  // The final name.
  const std::filesystem::path& Path() const { return path_; }
  // The temporary file's path, for a writer that opens files by name; what it
  // writes there is flushed to the disk by Commit like the stream's data.
  std::filesystem::path TemporaryPath() const;

  // Flushes the data to the disk and renames the file into place. With
  // Existing::Keep an existing file of the final name is left alone and the
  // commit fails with EEXIST. Throws std::system_error (the temporary file is
  // removed); the error code tells disk full, permission and the like apart.
  void Commit(Existing existing = Existing::Replace);

 private:
  void Create(mode_t mode);
  void Discard();

  std::filesystem::path path_;  // as given, for messages
  std::filesystem::path folderPath_;  // empty when opened by descriptor
  std::string name_;  // within the folder
  std::string temporary_;  // within the folder
  int folder_ = -1;
  std::FILE* stream_ = nullptr;
};

}  // namespace platform
