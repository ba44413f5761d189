#pragma once
#include <sys/types.h>
#include <unistd.h>

#include <string>

namespace platform {

// What a file that is not a regular one is, for a message: "is a pipe, not a
// picture file" for `noun` "picture file".
std::string KindOfNonRegularFile(mode_t mode, const std::string& noun);

// Owns a file descriptor: closed when it goes, on every path. Release() hands
// it over (to a stream that closes it itself).
class TUniqueDescriptor {
 public:
  explicit TUniqueDescriptor(int fd) : fd_(fd) {}
  TUniqueDescriptor(const TUniqueDescriptor&) = delete;
  TUniqueDescriptor& operator=(const TUniqueDescriptor&) = delete;
  ~TUniqueDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

}  // namespace platform
