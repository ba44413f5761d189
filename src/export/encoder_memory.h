#pragma once
#include <cstdint>

namespace video_export {

// The memory an export may take, and what VP9 needs of it. Measured (peak
// resident size of the whole export, two threads) at 1024 x 1024 and
// 2048 x 2048: about 70 MB, plus 90 bytes a pixel with no look-ahead, plus
// 2.2 bytes a pixel for each frame the encoder looks ahead (25 by default:
// 7 GB and more at 8192 x 8192).
inline constexpr double kExportMemoryBudgetBytes = 2e9;

// The largest frame (in pixels) a VP9 export holds within the budget with
// no look-ahead at all.
int64_t MaxVp9Pixels();

// Frames of look-ahead for VP9 at this size: the encoder's default of 25
// where the budget allows, fewer for large frames, none at the largest.
int32_t Vp9LookAheadFrames(int32_t width, int32_t height);

}  // namespace video_export
