#include "export/show_timeline.h"

#include <gtest/gtest.h>

namespace video_export {
namespace {

struct TimelineCase {
  int32_t fps;
  double intervalSeconds;
  int32_t transitionMs;
  int32_t photos;
  int64_t still, transition, total;
};

// Each photo stands for round(interval · fps) frames and each change takes
// round(ms · fps / 1000); the show starts on the first photo and ends on the
// last, so n photos have n − 1 changes.
TEST(ShowTimeline, FrameCountsFollowTheIntervalTheTransitionAndThePhotos) {
  const TimelineCase cases[] = {
      {30, 3.0, 1000, 4, 90, 30, 4 * 90 + 3 * 30},
      {30, 3.0, 1000, 1, 90, 30, 90},  // one photo: no change at all
      {30, 3.0, 1000, 0, 90, 30, 0},  // no photo: no frame
      {24, 0.5, 0, 3, 12, 0, 36},  // cuts
      {30, 0, 999, 3, 0, 30, 60},  // 29.97 frames round to 30; no still frames
      {25, 0.02, 20, 2, 1, 1, 3},  // half a frame rounds up
      {240, 3600, 60000, 1000, 864000, 14400, 1000 * 864000LL + 999 * 14400LL},  // the largest show
  };
  for (const TimelineCase& c : cases) {
    ExportSettings settings;
    settings.fps = c.fps;
    settings.intervalSeconds = c.intervalSeconds;
    settings.transitionMs = c.transitionMs;
    const ShowTimeline timeline(settings, c.photos);
    SCOPED_TRACE(testing::Message() << c.fps << " fps, " << c.intervalSeconds << " s, " << c.transitionMs << " ms, "
                                    << c.photos << " photos");
    EXPECT_EQ(timeline.StillFrames(), c.still);
    EXPECT_EQ(timeline.TransitionFrames(), c.transition);
    EXPECT_EQ(timeline.TotalFrames(), c.total);
  }
}

// Frame k of n shows progress round(100·k/n): the first frame of a change has
// moved on from the old photo and the last shows the new photo whole.
TEST(ShowTimeline, ProgressOfATransitionFrameIsRoundedAndEndsAtAHundred) {
  struct Case {
    int64_t k, n;
    int32_t progress;
  };
  const Case cases[] = {
      {1, 1, 100},
      {1, 3, 33},
      {2, 3, 67},
      {3, 3, 100},
      {1, 200, 1},  // 0.5 rounds up
      {1, 201, 0},
      {199, 200, 100},  // 99.5 rounds up
      {30, 30, 100},
      {15, 30, 50},
      {1, 30, 3},
      {3'000'000'000LL, 6'000'000'000LL, 50},  // beyond 32 bits
      {6'000'000'000LL, 6'000'000'000LL, 100},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShowTimeline::ProgressOfFrame(c.k, c.n), c.progress) << c.k << " of " << c.n;
  }
  for (int64_t n : {1, 7, 30, 1000}) {
    int32_t before = 0;
    for (int64_t k = 1; k <= n; ++k) {
      const int32_t progress = ShowTimeline::ProgressOfFrame(k, n);
      EXPECT_GE(progress, before) << k << " of " << n << " goes back";
      before = progress;
    }
    EXPECT_EQ(before, 100);
  }
}

}  // namespace
}  // namespace video_export
