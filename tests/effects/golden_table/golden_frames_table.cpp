// Prints the golden frame table of the effects as they draw now; the table
// test compares with the copy kept beside it (see scripts/update-golden-frames).
#include <iostream>

#include "golden_frames.h"

int main() {
  golden_frames::WriteTable(std::cout);
  return std::cout.good() ? 0 : 1;
}
