#pragma once
#include <cstdint>
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

// Opens a picture file for binary reading. Only a regular file (after
// following links) is read: a pipe, socket or device gives an error at once
// instead of blocking, and so does a file larger than kMaxPictureFileBytes.
// Throws PictureError with the cause ("No such file or directory").
UniqueFile OpenPictureFile(const std::filesystem::path& path);

// Size in bytes of an open file.
uint64_t OpenFileSize(std::FILE* file);

}  // namespace platform
