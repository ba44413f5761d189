#pragma once
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tools {

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct RenderOptions {
  bool list = false;
  int32_t style = -1;
  std::string oldPath, newPath;
  std::optional<int32_t> progress;
  uint32_t seed = 1;
  uint32_t randSeed = 0;
  std::string outPath;
  std::string framesDir;
  int32_t step = 4;
  bool verbose = false;  // let the picture libraries' warnings through to stderr
};

// Parses the command line (without the program name); throws UsageError with
// a one-line message on anything unknown, missing or out of range.
RenderOptions ParseRenderOptions(const std::vector<std::string>& args);

}  // namespace tools
