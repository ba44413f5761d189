// Frame cost of the curved and elliptic reveals, the interleaved bars and the
// uneven shreds, as a ratio to one memcpy of the frame.
#include "frame_harness.h"

static const bool registered =
    (bench::RegisterStyleBenchmarks({58, 59, 69,  70,  80,  81,  82,  83,  84,  85,  60,  61, 62,
                                     63, 64, 71,  72,  73,  74,  75,  65,  66,  67,  68,  76, 77,
                                     78, 79, 100, 101, 102, 103, 104, 105, 106, 107, 108, 109}),
     true);
