// Step arithmetic with an injected tick count, and the timer's delay and resolution.
#include <gtest/gtest.h>

#include "test_vantrel.h"

namespace view::test {
namespace {

// A paused manual transition whose steps the test takes by hand.
class Steps : public ::testing::Test {
 protected:
  void SetUp() override {
    v.fakeClock = true;
    v.SetThreaded(false);
    v.SetStyle(0);
    v.SetPictureSolid(8, 8, 0xFF);
    v.SetManual(true);
    v.Execute();
  }
  // One step after `elapsed` ms, measured from the last step.
  int StepAfter(uint32_t elapsed) {
    const int before = v.Progress();
    v.tick += elapsed;
    v.UpdateProgress();
    return v.Progress() - before;
  }
  // Starts the stopwatch at `tick`: an unscaled step resets the last-step time.
  void StartAt(uint32_t tick) {
    v.tick = tick;
    v.SetExactTiming(false);
    v.UpdateProgress();
    v.SetExactTiming(true);
  }
  TTestVantrel v;
};

TEST_F(Steps, ExactTimingScalesTheStepByTheTimeElapsed) {
  v.SetStep(3);
  v.SetDelay(30);
  StartAt(5000);
  EXPECT_EQ(StepAfter(45), 5) << "4.5 rounds up";
  EXPECT_EQ(StepAfter(30), 3);
  EXPECT_EQ(StepAfter(4), 0) << "too little time: no change";
  EXPECT_EQ(StepAfter(30), 3) << "the zero step restarted the measurement";
}

TEST_F(Steps, ExactTimingSurvivesTheTickCountWrapping) {
  v.SetStep(3);
  v.SetDelay(30);
  StartAt(0xFFFFFFF0u);
  EXPECT_EQ(StepAfter(45), 5);
}

TEST_F(Steps, AStepThatComesASecondLateLandsOnTheEnd) {
  v.SetStep(4);
  v.SetDelay(40);
  StartAt(100);
  StepAfter(1000);
  EXPECT_EQ(v.Progress(), 100);
  EXPECT_FALSE(v.UpdateProgress());
}

TEST_F(Steps, DelayZeroWithExactTimingTakesWholeSteps) {
  v.SetStep(10);
  v.SetDelay(0);
  StartAt(100);
  EXPECT_EQ(StepAfter(7), 10);
}

TEST(StepCount, WithoutExactTimingATransitionTakes100OverStepStepsRoundedUp) {
  struct Case {
    uint16_t step;
    int frames;
    std::vector<int> lastTwo;
  };
  for (const Case& c : {Case{3, 34, {99, 100}}, Case{4, 25, {96, 100}}, Case{100, 1, {100}}}) {
    TTestVantrel v;
    v.fakeClock = true;
    v.SetThreaded(false);
    v.SetStyle(0);
    v.SetStep(c.step);
    v.SetPictureSolid(8, 8, 0xFF);
    std::vector<int> frames;
    v.SetOnAfterNewFrame([&](TCustomVantrel& s, raster::Bitmap&, raster::Bitmap&) { frames.push_back(s.Progress()); });
    v.Execute();
    EXPECT_EQ(int(frames.size()), c.frames) << "step " << c.step;
    const std::vector<int> tail(frames.end() - c.lastTwo.size(), frames.end());
    EXPECT_EQ(tail, c.lastTwo) << "step " << c.step;
  }
}

TEST(StartTimer, DelayAndResolutionFollowTheDeviceLimits) {
  struct Case {
    TTimeCaps caps;
    bool readable;
    uint16_t delay;
    uint16_t delayAfter;
    uint32_t resolution;
    bool runs;
  };
  const Case cases[] = {
      {{1, 1000000}, true, 40, 40, 4, true},    {{1, 1000000}, true, 5, 5, 1, true},  // 0 raised to the minimum
      {{1, 1000000}, true, 0, 1, 1, true},  // Delay 0 becomes the minimum
      {{1, 1000000}, true, 100, 100, 10, true}, {{1, 30}, true, 40, 30, 3, true},  // limited to the maximum
      {{10, 1000}, true, 5, 10, 10, true},  // raised to the minimum
      {{0, 0}, false, 40, 40, 4, true},  // unreadable: the usual device assumed
  };
  for (const Case& c : cases) {
    TTestVantrel v;
    v.caps = c.caps;
    v.capsReadable = c.readable;
    v.SetDelay(c.delay);
    v.StartTimer();
    EXPECT_EQ(v.Delay(), c.delayAfter) << "delay " << c.delay;
    EXPECT_EQ(v.TimerResolution(), c.resolution) << "delay " << c.delay;
    EXPECT_EQ(v.TimerRunning(), c.runs) << "delay " << c.delay;
    v.StopTimer();
    EXPECT_FALSE(v.TimerRunning());
  }
}

TEST(StartTimer, NoTimerWithoutAWindowOrWhileOneRuns) {
  TTestVantrel v;
  v.window = false;
  v.StartTimer();
  EXPECT_FALSE(v.TimerRunning());
  v.window = true;
  v.SetDelay(40);
  v.StartTimer();
  v.SetDelay(7);
  v.StartTimer();  // already running: nothing changes
  EXPECT_EQ(v.TimerResolution(), 4u);
  v.StopTimer();
}

}  // namespace
}  // namespace view::test
