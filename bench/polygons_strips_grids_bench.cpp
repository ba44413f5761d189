// Frame cost of the polygon reveals, criss-crosses, speckles, blinds,
// appearing rectangles, grid shreds and random squares, as multiples of one
// memcpy of the frame. The memcpy rows time that copy itself in the same run:
// on a busy machine their x_memcpy drifts from 1, and the style figures are
// best read against them.
#include "frame_harness.h"

namespace {

const bool registered =
    (bench::RegisterStyleBenchmarks({// polygon reveals
                                     110, 111, 112, 113, 114, 115, 116, 117, 154, 155, 156, 157, 158, 159, 160, 161,
                                     162, 163, 165, 166, 167,
                                     // criss-cross, speckles, blinds, appearing rectangles
                                     86, 87, 88, 89, 90, 91, 92, 93, 94, 95, 96, 97, 98, 99, 124, 125, 126, 127, 137,
                                     138, 139, 140, 141, 142, 146, 147, 148, 149,
                                     // grid shreds and random squares
                                     118, 128, 143, 153, 164}),
     true);

}  // namespace
