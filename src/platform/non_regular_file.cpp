#include "platform/non_regular_file.h"

#include <sys/stat.h>

namespace platform {

std::string KindOfNonRegularFile(mode_t mode, const std::string& noun) {
  if (S_ISDIR(mode)) return "is a folder";
  if (S_ISFIFO(mode)) return "is a pipe, not a " + noun;
  if (S_ISSOCK(mode)) return "is a socket, not a " + noun;
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "is a device, not a " + noun;
  return "is not a regular file";
}

}  // namespace platform
