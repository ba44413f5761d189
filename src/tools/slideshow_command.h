#pragma once
#include <string>
#include <vector>

namespace tools {

// Runs `vantrel-render --slideshow DIR --video OUT ...`: the export with a
// progress line on stderr; Ctrl-C stops it and removes the partial file.
// Returns the exit status: 0 done, 2 bad input, 130 interrupted.
int RunSlideshowCommand(const std::vector<std::string>& args);

}  // namespace tools
