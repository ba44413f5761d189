// The Qt widget on the offscreen platform: posted messages, paint, window life.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QWidget>

#include "test_vantrel.h"
#include "view/vantrel.h"

namespace view::test {
namespace {

using Events = std::vector<std::string>;

bool ProcessUntil(const std::function<bool()>& done) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > 10000) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

// Logs events from the GUI thread only; frame events are counted.
struct Logger {
  explicit Logger(TVantrel& v) {
    v.SetOnStart([this](TCustomVantrel&, raster::Bitmap&, raster::Bitmap&) { Add("Start"); });
    v.SetOnProgress([this](TCustomVantrel&) { Add("Progress"); });
    v.SetOnComplete([this](TCustomVantrel&) { Add("Complete"); });
    v.SetOnStop([this](TCustomVantrel&) { Add("Stop"); });
  }
  void Add(const std::string& e) {
    if (std::this_thread::get_id() != guiThread) offGuiThread = true;
    events.push_back(e);
  }
  Events Without(const std::string& name) const {
    Events out;
    for (const auto& e : events)
      if (e != name) out.push_back(e);
    return out;
  }
  int Count(const std::string& name) const { return int(std::count(events.begin(), events.end(), name)); }
  std::thread::id guiThread = std::this_thread::get_id();
  bool offGuiThread = false;
  Events events;
};

class Widget : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(200, 150);
    view = new TVantrel(&window);
    view->setGeometry(0, 0, 200, 150);
    view->SetPicture(picture);
    view->Picture().SetGraphic(SolidBitmap(200, 150, 0x3366CC));
    view->SetStyle(0);
    view->SetStep(20);
    view->SetDelay(3);
    window.show();
  }
  TPicture picture;
  QWidget window;
  TVantrel* view = nullptr;
};

TEST_F(Widget, ThreadedTransitionReportsOnTheGuiThreadInOrder) {
  Logger log(*view);
  view->Execute();
  EXPECT_TRUE(view->Busy());
  ASSERT_TRUE(ProcessUntil([&] { return !view->Busy(); }));
  EXPECT_EQ(log.events,
            (Events{"Start", "Progress", "Progress", "Progress", "Progress", "Progress", "Complete", "Stop"}));
  EXPECT_FALSE(log.offGuiThread);
  // On X11 the timer thread draws; elsewhere frames go through posted paints.
  EXPECT_EQ(view->DrawsFromAnyThread(), QGuiApplication::platformName() == "xcb");
}

TEST_F(Widget, TheLastFrameIsPaintedThroughTheWidget) {
  if (view->DrawsFromAnyThread()) GTEST_SKIP() << "a native X11 view cannot be grabbed";
  view->SetThreaded(false);
  view->Execute();
  ASSERT_TRUE(ProcessUntil([&] { return !view->Busy(); }));
  const QImage shot = view->grab().toImage();
  EXPECT_EQ(shot.pixel(100, 75) & 0xFFFFFF, 0x3366CCu);
}

TEST_F(Widget, UnthreadedExecuteReturnsAfterOnStop) {
  Logger log(*view);
  view->SetThreaded(false);
  view->Execute();
  EXPECT_FALSE(view->Busy());
  EXPECT_EQ(log.Count("Progress"), 5);
  EXPECT_EQ(log.events.back(), "Stop");
}

TEST_F(Widget, ReparentingDuringATransitionDoesNotStopIt) {
  Logger log(*view);
  view->SetDelay(20);
  view->Execute();
  const bool drawsFromAnyThread = view->DrawsFromAnyThread();
  // Full screen: a top-level window of its own, then back into its parent.
  view->setParent(&window, Qt::Window | Qt::FramelessWindowHint);
  view->setGeometry(0, 0, 300, 200);
  view->show();
  QCoreApplication::processEvents();
  EXPECT_EQ(view->DrawsFromAnyThread(), drawsFromAnyThread);
  view->setParent(&window, Qt::Widget);
  view->setGeometry(0, 0, 200, 150);
  view->show();
  EXPECT_EQ(view->DrawsFromAnyThread(), drawsFromAnyThread);
  ASSERT_TRUE(ProcessUntil([&] { return !view->Busy(); }));
  EXPECT_EQ(log.Without("Progress"), (Events{"Start", "Complete", "Stop"}));
}

TEST_F(Widget, DestroyingTheWidgetDuringATransitionRaisesNoEndEvents) {
  Logger log(*view);
  view->SetDelay(60);  // five steps: well after the first progress report
  view->Execute();
  ProcessUntil([&] { return log.Count("Progress") >= 1; });
  delete view;
  view = nullptr;
  QCoreApplication::processEvents();  // posted messages of the dead view go nowhere
  EXPECT_EQ(log.Without("Progress"), Events{"Start"});
}

TEST_F(Widget, DestroyingOnlyTheWindowRaisesOnStop) {
  Logger log(*view);
  view->SetDelay(1000);
  view->Execute();
  view->DestroyHandle();
  EXPECT_FALSE(view->Busy());
  EXPECT_EQ(log.events, (Events{"Start", "Stop"}));
  // The window comes back for the next transition.
  view->SetThreaded(false);
  view->SetDelay(1);
  view->Execute();
  EXPECT_EQ(log.events.back(), "Stop");
  EXPECT_EQ(log.Count("Complete"), 1);
}

TEST_F(Widget, StyleNamesFillAQStringList) {
  QStringList names;
  EXPECT_EQ(view->GetStyleNames(names), 172);
  EXPECT_EQ(names.front(), "Expand from right");
}

}  // namespace
}  // namespace view::test
