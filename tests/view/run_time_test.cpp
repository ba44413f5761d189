// Event order and the life of a transition in threaded, unthreaded and manual mode.
#include <gtest/gtest.h>

#include <stdexcept>

#include "test_vantrel.h"

namespace view::test {
namespace {

using Events = std::vector<std::string>;

// Event names without the progress values (threaded handlers read a progress
// that may already have moved on).
Events Names(const Events& events) {
  Events out;
  for (const std::string& e : events) out.push_back(e.substr(0, e.find(' ')));
  return out;
}

Events Repeat(const std::string& e, int n) { return Events(n, e); }

Events Concat(std::initializer_list<Events> parts) {
  Events out;
  for (const Events& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

class RunTime : public ::testing::Test {
 protected:
  void SetUp() override {
    v.SetPictureSolid(40, 30, 0x00FF00);
    v.SetStyle(0);  // custom drawing: the style does not matter here
    v.SetStep(25);
    v.SetDelay(2);
  }
  TTestVantrel v;
};

TEST_F(RunTime, ThreadedRunsFramesOnTheTimerThreadAndEndEventsOnTheWindowThread) {
  const auto windowThread = std::this_thread::get_id();
  std::atomic<int> framesOffWindowThread{0}, framesOnWindowThread{0};
  v.SetOnAfterNewFrame([&](TCustomVantrel&, raster::Bitmap&, raster::Bitmap&) {
    ++(std::this_thread::get_id() == windowThread ? framesOnWindowThread : framesOffWindowThread);
  });
  v.Execute();
  EXPECT_TRUE(v.Busy()) << "Execute returns right after OnStart";
  EXPECT_EQ(v.Events(), Events{"Start"});
  ASSERT_TRUE(v.PumpUntil([&] { return !v.Busy(); }));
  EXPECT_EQ(Names(v.Events()), Concat({{"Start"}, Repeat("Progress", 4), {"Complete", "Stop"}}));
  EXPECT_EQ(framesOffWindowThread.load(), 4);
  EXPECT_EQ(framesOnWindowThread.load(), 0);
  EXPECT_EQ(v.framesOnScreen.load(), 4);
  EXPECT_FALSE(v.TimerRunning());
  EXPECT_EQ(v.Progress(), 100);
}

TEST_F(RunTime, UnthreadedRunsEveryEventInsideExecuteWithEachProgressAfterItsFrame) {
  v.SetThreaded(false);
  v.fakeClock = true;
  v.SetOnAfterNewFrame(
      [&](TCustomVantrel& s, raster::Bitmap&, raster::Bitmap&) { v.Log("Frame " + std::to_string(s.Progress())); });
  v.Execute();
  EXPECT_FALSE(v.Busy());
  EXPECT_EQ(v.Events(), (Events{"Start", "Frame 25", "Progress 25", "Frame 50", "Progress 50", "Frame 75",
                                "Progress 75", "Frame 100", "Progress 100", "Complete", "Stop"}));
}

TEST_F(RunTime, ManualMovesOnlyWhenProgressIsSetAndEndsWhenManualIsSwitchedOff) {
  v.SetThreaded(false);
  v.fakeClock = true;
  v.SetManual(true);
  v.Execute();
  EXPECT_TRUE(v.Busy());
  EXPECT_EQ(v.Progress(), 0);
  v.SetProgress(30);
  v.SetProgress(30);  // unchanged: no frame, no event
  v.SetProgress(200);  // counts as 100; stays busy
  EXPECT_TRUE(v.Busy());
  EXPECT_EQ(v.Events(), (Events{"Start", "Progress 30", "Progress 100"}));
  v.ClearLog();
  v.SetProgress(50);
  v.SetManual(false);  // unthreaded: the rest runs now
  EXPECT_FALSE(v.Busy());
  EXPECT_EQ(v.Events(), (Events{"Progress 50", "Progress 75", "Progress 100", "Complete", "Stop"}));
}

TEST_F(RunTime, ManualSwitchedOnWhileIdleResetsProgress) {
  v.SetReverse(true);
  v.SetManual(true);
  EXPECT_EQ(v.Progress(), 100);
  v.SetManual(false);
  v.SetReverse(false);
  v.SetManual(true);
  EXPECT_EQ(v.Progress(), 0);
}

TEST_F(RunTime, ThreadedManualOffResumesOnTheTimer) {
  v.SetManual(true);
  v.Execute();
  v.SetProgress(50);
  v.SetManual(false);
  EXPECT_TRUE(v.TimerRunning());
  ASSERT_TRUE(v.PumpUntil([&] { return !v.Busy(); }));
  EXPECT_EQ(Names(v.Events()), (Events{"Start", "Progress", "Progress", "Progress", "Complete", "Stop"}));
}

// Frames record their progress in the display's first pixel.
void MarkProgressInFrames(TTestVantrel& v) {
  v.SetOnCustomDraw(
      [](TCustomVantrel& s, raster::Bitmap&, raster::Bitmap& screen) { screen.SetPixel(0, 0, s.Progress()); });
}

TEST_F(RunTime, StopAt40KeepsTheFrameAndRaisesOnlyOnStop) {
  v.SetThreaded(false);
  v.fakeClock = true;
  v.SetStep(10);
  MarkProgressInFrames(v);
  v.SetOnProgress([&](TCustomVantrel& s) {
    v.Log("Progress " + std::to_string(s.Progress()));
    if (s.Progress() == 40) s.Stop();
  });
  v.Execute();  // the loop must end after the Stop without ending twice
  EXPECT_FALSE(v.Busy());
  EXPECT_EQ(v.Progress(), 40);
  EXPECT_EQ(v.Events(), (Events{"Start", "Progress 10", "Progress 20", "Progress 30", "Progress 40", "Stop"}));
  raster::Bitmap shown;
  v.CopyDisplay(shown);
  EXPECT_EQ(shown.Pixel(0, 0), 40u);

  // OverDraw: the next transition with a picture of the same size starts from that frame.
  uint32_t oldPicturePixel = 0;
  v.SetOnStart([&](TCustomVantrel&, raster::Bitmap&, raster::Bitmap& old) { oldPicturePixel = old.Pixel(0, 0); });
  v.SetOnProgress(nullptr);
  v.Execute();
  EXPECT_EQ(oldPicturePixel, 40u);
}

TEST_F(RunTime, StopFromAMessageDuringTheUnthreadedWaitEndsTheLoopOnce) {
  v.SetThreaded(false);
  v.fakeClock = true;
  v.tickPerPump = 1;
  v.SetDelay(50);
  v.onPump = [&] {
    if (v.Progress() == 50) v.Stop();
  };
  v.Execute();
  EXPECT_FALSE(v.Busy());
  EXPECT_EQ(v.Progress(), 50);
  EXPECT_EQ(v.Events(), (Events{"Start", "Progress 25", "Progress 50", "Stop"}));
}

TEST_F(RunTime, ThreadedStopRaisesOnlyOnStopAndLateMessagesAreIgnored) {
  // All steps are done and queued before the window thread looks: the first
  // progress handler stops the transition, so the remaining progress messages
  // and the completion message arrive after its OnStop.
  v.SetOnProgress([&](TCustomVantrel& s) {
    v.Log("Progress");
    if (s.Progress() == 100) s.Stop();
  });
  v.Execute();
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (v.Pending() < 5 && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_EQ(v.Pending(), 5u) << "four progress messages and the completion";
  v.Pump();
  EXPECT_FALSE(v.Busy());
  EXPECT_EQ(v.Events(), (Events{"Start", "Progress", "Stop"}));
}

TEST_F(RunTime, LateCompletionDoesNotEndATransitionStartedFromOnStop) {
  bool again = true;
  v.SetOnProgress([&](TCustomVantrel& s) {
    if (s.Progress() == 100 && again) s.Stop();
  });
  v.SetOnStop([&](TCustomVantrel& s) {
    v.Log("Stop");
    if (again) {
      again = false;
      s.SetManual(true);  // the new transition waits at its start
      s.Execute();
    }
  });
  v.Execute();
  ASSERT_TRUE(v.PumpUntil([&] { return v.Pending() == 0 && v.Events().size() >= 3; }));
  v.Pump();
  EXPECT_TRUE(v.Busy()) << "the old completion must not end the new transition";
  EXPECT_EQ(v.Events(), (Events{"Start", "Stop", "Start"}));
}

TEST_F(RunTime, ReverseRunsFrom100DownToTheOldPicture) {
  v.SetThreaded(false);
  v.fakeClock = true;
  v.SetReverse(true);
  std::vector<int> frames;
  v.SetOnAfterNewFrame([&](TCustomVantrel& s, raster::Bitmap&, raster::Bitmap&) { frames.push_back(s.Progress()); });
  int startProgress = -1;
  v.SetOnStart([&](TCustomVantrel& s, raster::Bitmap&, raster::Bitmap&) { startProgress = s.Progress(); });
  v.Execute();
  EXPECT_EQ(startProgress, 100);
  EXPECT_EQ(frames, (std::vector<int>{75, 50, 25, 0}));
  raster::Bitmap shown;
  v.CopyDisplay(shown);
  // The old picture was the background (Color, a light grey), not the new green one.
  EXPECT_NE(shown.Pixel(20, 15) & 0xFFFFFF, 0x00FF00u);
}

TEST_F(RunTime, ExecuteTwiceIgnoresTheSecondCallAndWithoutPictureDoesNothing) {
  v.SetManual(true);
  v.Execute();
  v.Execute();
  EXPECT_EQ(v.Events(), Events{"Start"});
  v.Stop();

  TTestVantrel empty;
  empty.Execute();
  EXPECT_FALSE(empty.Busy());
  EXPECT_TRUE(empty.Events().empty());
}

TEST_F(RunTime, ExecuteFromOnStopDuringStopStaysAtItsStart) {
  v.SetDelay(1000);
  v.Execute();
  bool restarted = false;
  v.SetOnStop([&](TCustomVantrel& s) {
    v.Log("Stop");
    if (!restarted) {
      restarted = true;
      s.Execute();
    }
  });
  v.Stop();
  EXPECT_EQ(v.Events(), (Events{"Start", "Stop", "Start"}));
  EXPECT_TRUE(v.Busy());
  EXPECT_FALSE(v.TimerRunning());
  EXPECT_EQ(v.Progress(), 0);
  v.Stop();
  EXPECT_FALSE(v.Busy());
}

TEST_F(RunTime, AnErrorInOnStartLeavesTheControlIdleWithoutEndEvents) {
  v.SetOnStart([](TCustomVantrel&, raster::Bitmap&, raster::Bitmap&) { throw std::runtime_error("boom"); });
  EXPECT_THROW(v.Execute(), std::runtime_error);
  EXPECT_FALSE(v.Busy());
  EXPECT_FALSE(v.TimerRunning());
  EXPECT_TRUE(v.Events().empty());
}

TEST_F(RunTime, AnErrorOnTheTimerThreadStopsTheTransition) {
  v.SetOnAfterNewFrame(
      [](TCustomVantrel&, raster::Bitmap&, raster::Bitmap&) { throw std::runtime_error("bad frame"); });
  v.Execute();
  ASSERT_TRUE(v.PumpUntil([&] { return !v.Busy(); }));
  EXPECT_FALSE(v.TimerRunning());
  EXPECT_EQ(v.Events(), (Events{"Start", "Stop"}));
}

TEST(RunTimeLifetime, DestroyingDuringATransitionRaisesNoEndEvents) {
  Events events;
  {
    auto v = std::make_unique<TTestVantrel>();
    v->SetPictureSolid(40, 30, 0xFF);
    v->SetDelay(5);
    v->SetOnComplete([&](TCustomVantrel&) { events.push_back("Complete"); });
    v->SetOnStop([&](TCustomVantrel&) { events.push_back("Stop"); });
    v->Execute();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(v->Busy());
  }
  EXPECT_TRUE(events.empty());
}

TEST(RunTimeLifetime, DestroyingOnlyTheWindowRaisesOnStop) {
  TTestVantrel v;
  v.SetPictureSolid(40, 30, 0xFF);
  v.SetDelay(1000);
  v.Execute();
  v.WMDestroy();
  EXPECT_FALSE(v.Busy());
  EXPECT_FALSE(v.TimerRunning());
  EXPECT_EQ(v.Events(), (Events{"Start", "Stop"}));
}

TEST(RunTimeLifetime, WithoutAWindowNoTimerStartsAndTheTransitionWaitsUntilStop) {
  struct NoWindow : TTestVantrel {
    void HandleNeeded() override {}
  } w;
  w.window = false;
  w.SetPictureSolid(10, 10, 0xFF);
  w.Execute();
  EXPECT_TRUE(w.Busy());
  EXPECT_FALSE(w.TimerRunning());
  w.Stop();
  EXPECT_EQ(w.Events(), (Events{"Start", "Stop"}));
}

TEST_F(RunTime, EmptyGraphicRunsWithoutCallingAProcedure) {
  v.Picture().SetGraphic(std::make_unique<raster::Bitmap>());
  EXPECT_TRUE(v.Empty());
  v.SetStyle(5);
  v.SetThreaded(false);
  v.fakeClock = true;
  v.Execute();
  EXPECT_EQ(v.Events().back(), "Stop");
}

TEST_F(RunTime, StyleZeroWithoutHandlerShowsTheOldPictureUntil100) {
  v.SetThreaded(false);
  v.fakeClock = true;
  v.SetManual(true);
  v.SetColor(0x123456);
  v.Execute();
  v.SetProgress(60);
  raster::Bitmap shown;
  v.CopyDisplay(shown);
  EXPECT_EQ(shown.Pixel(5, 5) & 0xFFFFFF, raster::PixelFromColor(0x123456));
  v.SetProgress(100);
  v.CopyDisplay(shown);
  EXPECT_EQ(shown.Pixel(5, 5) & 0xFFFFFF, 0x00FF00u);
}

TEST_F(RunTime, StyleChangedWhilePausedRedrawsTheFrameAtOnce) {
  v.SetManual(true);
  v.SetStyle(2);
  v.Execute();
  v.SetProgress(60);
  std::vector<int> stylesDrawn;
  v.SetOnAfterNewFrame([&](TCustomVantrel& s, raster::Bitmap&, raster::Bitmap&) { stylesDrawn.push_back(s.Style()); });
  v.SetStyle(5);
  EXPECT_EQ(stylesDrawn, std::vector<int>{5});
  EXPECT_EQ(v.Progress(), 60);
}

}  // namespace
}  // namespace view::test
