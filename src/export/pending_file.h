#pragma once
#include <filesystem>

namespace video_export {

// A new file beside the target, named after it, that becomes the target
// only on Commit(); destroyed uncommitted, it is removed. So a failed or
// cancelled export leaves neither a half-written video nor a changed old one.
class PendingFile {
 public:
  // Creates the file; throws ExportError with the system's reason when the
  // target's folder cannot be written or the target is a folder.
  explicit PendingFile(const std::filesystem::path& target);
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  const std::filesystem::path& Path() const { return temp_; }
  // Renames the file over the target; throws ExportError on failure.
  void Commit();

 private:
  std::filesystem::path target_, temp_;
  bool committed_ = false;
};

}  // namespace video_export
