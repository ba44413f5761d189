#pragma once

namespace app {

// The mouse pointer's display count, kept as the platform keeps it: the
// pointer shows while the count is 0 or more. Each Show(false) must be
// balanced by a Show(true).
class TCursorDisplay {
 public:
  // Raises (true) or lowers (false) the count; returns the new count.
  int Show(bool show);
  int Count() const { return count_; }
  bool Visible() const { return count_ >= 0; }

 private:
  int count_ = 0;
};

}  // namespace app
