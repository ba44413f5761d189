#pragma once
#include <stdexcept>

namespace video_export {

// Bad input or an output that cannot be written: the message says which and why.
class ExportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The caller asked the export to stop; nothing was left behind.
class ExportCancelled : public std::runtime_error {
 public:
  ExportCancelled() : std::runtime_error("export cancelled") {}
};

}  // namespace video_export
