#include "export/pending_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>

#include "export/export_error.h"

namespace video_export {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void Fail(const fs::path& target, const std::string& reason) {
  throw ExportError("cannot write '" + target.string() + "': " + reason);
}

}  // namespace

PendingFile::PendingFile(const fs::path& target) : target_(target) {
  std::error_code ec;
  if (fs::is_directory(target, ec)) Fail(target, "it is a folder");
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  // The extension stays last, so tools that look at it see the right format.
  std::string pattern = (folder / ("." + target.stem().string() + ".XXXXXX")).string();
  const std::string ext = target.extension().string();
  pattern += ext;
  const int fd = ::mkstemps(pattern.data(), int(ext.size()));
  if (fd < 0) Fail(target, std::strerror(errno));
  // mkstemps makes the file private; a finished video gets the usual rights.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  ::close(fd);
  temp_ = pattern;
}

PendingFile::~PendingFile() {
  if (committed_) return;
  std::error_code ec;
  fs::remove(temp_, ec);
}

void PendingFile::Commit() {
  std::error_code ec;
  fs::rename(temp_, target_, ec);
  if (ec) Fail(target_, ec.message());
  committed_ = true;
}

}  // namespace video_export
