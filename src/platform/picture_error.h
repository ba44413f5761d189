#pragma once
#include <stdexcept>
#include <string>

namespace platform {

// A picture file that could not be decoded. The message names the file and
// the cause, e.g. "photo.jpg: not a JPEG file (starts with 0x89 0x50)".
class PictureError : public std::runtime_error {
 public:
  PictureError(const std::string& fileName, const std::string& cause) : std::runtime_error(fileName + ": " + cause) {}
};

}  // namespace platform
