#pragma once
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace platform {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// The name that decoding errors show for a file: its name without the folder.
std::string PictureFileName(const std::filesystem::path& path);

// Opens a file for binary reading; throws PictureError with the system's
// reason ("No such file or directory") when it cannot.
UniqueFile OpenPictureFile(const std::filesystem::path& path);

}  // namespace platform
