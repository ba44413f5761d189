// Frame cost of the pivots, sweeps, turning shapes, fade, pixelate, dissolve,
// random bars and channel mix, as multiples of one memcpy of the frame. The
// memcpy rows time that copy in the same run, as a check on the machine's
// steadiness.
#include "frame_harness.h"

namespace {

const bool registered = (bench::RegisterStyleBenchmarks({// pivots, sweeps, turning rectangle, star and spiral
                                                         120, 121, 122, 123, 144, 145, 150, 151, 152,
                                                         // fade, pixelate, dissolve, random bars, channel mix
                                                         119, 168, 169, 170, 171, 172}),
                         true);

}  // namespace
