#include "platform/picture_file.h"

#include <cerrno>
#include <cstring>

#include "platform/picture_error.h"

namespace platform {

std::string PictureFileName(const std::filesystem::path& path) { return path.filename().string(); }

UniqueFile OpenPictureFile(const std::filesystem::path& path) {
  std::error_code ignored;
  if (std::filesystem::is_directory(path, ignored)) throw PictureError(PictureFileName(path), "is a folder");
  UniqueFile file(std::fopen(path.c_str(), "rb"));
  if (!file) throw PictureError(PictureFileName(path), std::string("cannot open: ") + std::strerror(errno));
  return file;
}

}  // namespace platform
