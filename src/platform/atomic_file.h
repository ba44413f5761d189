#pragma once
#include <cstdio>
#include <filesystem>
#include <string>

namespace platform {

// A file written under a temporary name beside its final one and renamed into
// place only when complete: readers of the final name see the old file or the
// whole new one, never a part. A write that fails or is abandoned (the object
// destroyed without Commit) removes the temporary file and leaves the final
// name as it was.
class TAtomicFile {
 public:
  enum class Existing { Replace, Keep };

  // Creates the temporary file in the folder of `path`; throws
  // std::system_error naming the file when it cannot.
  explicit TAtomicFile(std::filesystem::path path);
  ~TAtomicFile();
  TAtomicFile(const TAtomicFile&) = delete;
  TAtomicFile& operator=(const TAtomicFile&) = delete;

  std::FILE* Stream() const { return stream_; }
  const std::filesystem::path& Path() const { return path_; }

  // Flushes the data to the disk and renames the file into place. With
  // Existing::Keep an existing file of the final name is left alone and the
  // commit fails with EEXIST. Throws std::system_error (the temporary file is
  // removed); the error code tells disk full, permission and the like apart.
  void Commit(Existing existing = Existing::Replace);

 private:
  void Discard();

  std::filesystem::path path_;
  std::string temporary_;
  std::FILE* stream_ = nullptr;
};

}  // namespace platform
