// Frame cadence of a threaded transition on X11 while the GUI thread is blocked.
//
// One 1200 × 850 picture goes through a view of the slideshow's screen area
// (992 × 682, proportional, centred, frame 1) with Delay 30. Right after
// Execute returns the GUI thread sleeps 300 ms. A frame counts as "on screen"
// when the X server has processed its image requests (a round trip after the
// put); "sent" intervals are taken when the view had sent it. Run under X:  xvfb-run -a build/bin/view_cadence_bench
#include <benchmark/benchmark.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include "frame_bench.h"
#include "view/vantrel.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kDelay = 30;
constexpr auto kBlock = std::chrono::milliseconds(300);

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Records when each step starts (its first tick-count read on the timer
// thread) and when its frame has reached the X server.
class TimedVantrel : public view::TVantrel {
 public:
  struct Frame {
    Clock::time_point stepStart, sent, onScreen;
  };
  std::vector<Frame> frames;  // guarded by the view lock (frames are put under it)
  using TVantrel::CS;

 protected:
  uint32_t GetTickCount() const override {
    if (std::this_thread::get_id() != guiThread_) stepStart_ = Clock::now();
    return TVantrel::GetTickCount();
  }
  void PutFrameOnScreen(const raster::Bitmap& d, const raster::Rect& p, const raster::Rect& r) override {
    TVantrel::PutFrameOnScreen(d, p, r);
    const auto sent = Clock::now();
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11->connection();
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    frames.push_back({stepStart_, sent, Clock::now()});
  }

 private:
  std::thread::id guiThread_ = std::this_thread::get_id();
  mutable Clock::time_point stepStart_;
};

QApplication& App() {
  static int argc = 1;
  static char name[] = "view_cadence_bench";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  return app;
}

void ProcessFor(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const size_t i = std::min(v.size() - 1, size_t(p * (v.size() - 1) + 0.5));
  return v[i];
}

void BM_ThreadedCadenceWhileGuiBlocked(benchmark::State& state) {
  App();
  if (QGuiApplication::platformName() != "xcb") {
    state.SkipWithError("needs an X server (run under xvfb-run -a)");
    return;
  }
  QWidget window;
  window.setWindowFlags(Qt::FramelessWindowHint);
  window.setGeometry(0, 0, 1200, 850);
  auto* vantrel = new TimedVantrel;
  vantrel->setParent(&window);
  vantrel->setGeometry(104, 84, 992, 682);
  vantrel->SetProportional(true);
  vantrel->SetCenter(true);
  vantrel->SetFrameWidth(1);
  vantrel->SetDelay(kDelay);
  window.show();
  ProcessFor(300);
  if (!vantrel->DrawsFromAnyThread()) {
    state.SkipWithError("the view cannot draw from the timer thread on this display");
    return;
  }
  raster::Bitmap pictures[2];
  for (auto& p : pictures) p.SetSize(1200, 850);
  bench::FillOldPicture(pictures[0]);
  bench::FillNewPicture(pictures[1]);
  for (auto& p : pictures)
    for (size_t i = 0; i < p.PixelCount(); ++i) p.Bits()[i] |= 0xFF000000u;

  std::vector<double> intervals, sentIntervals, latencies, blockFrames;
  int n = 0;
  for (auto _ : state) {
    auto pic = std::make_unique<raster::Bitmap>();
    pic->Assign(pictures[n++ % 2]);
    vantrel->Picture().SetGraphic(std::move(pic));
    {
      view::TViewLockHold lock(vantrel->CS());
      vantrel->frames.clear();
    }
    vantrel->Execute();
    const auto blockStart = Clock::now();
    std::this_thread::sleep_for(kBlock);  // the GUI thread is busy, e.g. decoding the next photo
    const auto blockEnd = Clock::now();
    // Sleeps between the view's messages rather than spinning.
    while (vantrel->Busy()) QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    view::TViewLockHold lock(vantrel->CS());
    const auto& f = vantrel->frames;
    int during = 0;
    for (size_t i = 0; i < f.size(); ++i) {
      latencies.push_back(Ms(f[i].onScreen - f[i].stepStart));
      if (i > 0) intervals.push_back(Ms(f[i].onScreen - f[i - 1].onScreen));
      if (i > 0) sentIntervals.push_back(Ms(f[i].sent - f[i - 1].sent));
      if (f[i].onScreen >= blockStart && f[i].onScreen <= blockEnd) ++during;
    }
    blockFrames.push_back(during);
  }
  state.counters["interval_median_ms"] = Percentile(intervals, 0.5);
  state.counters["interval_p99_ms"] = Percentile(intervals, 0.99);
  state.counters["interval_max_ms"] = Percentile(intervals, 1.0);
  // The same intervals taken when the view had sent the frame, before the
  // server confirmed it: how steady the timer thread itself is.
  state.counters["sent_interval_p99_ms"] = Percentile(sentIntervals, 0.99);
  state.counters["sent_interval_max_ms"] = Percentile(sentIntervals, 1.0);
  state.counters["frames_during_block_min"] = Percentile(blockFrames, 0.0);
  state.counters["frames_during_block_median"] = Percentile(blockFrames, 0.5);
  state.counters["frames_during_block_target"] = 300.0 / kDelay - 1;
  state.counters["step_to_screen_median_ms"] = Percentile(latencies, 0.5);
  state.counters["step_to_screen_p99_ms"] = Percentile(latencies, 0.99);
  state.counters["intervals"] = double(intervals.size());
}
BENCHMARK(BM_ThreadedCadenceWhileGuiBlocked)->Iterations(12)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
