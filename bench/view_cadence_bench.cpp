// Frame cadence of a threaded transition on X11 while the GUI thread is blocked.
//
// One 1200 × 850 picture goes through a view of the slideshow's screen area
// (992 × 682, proportional, centred, frame 1) with Delay 30. Right after
// Execute returns the GUI thread sleeps 300 ms. A frame counts as "on screen"
// when the X server has processed its image requests (a round trip after the
// put); "sent" intervals are taken when the view had sent it. The same at
// full screen on a 3840 × 2160 screen, and the CPU the process takes while it
// waits between transitions. Run under X with a screen that large:
//   xvfb-run -a -s "-screen 0 3840x2160x24" build/bin/view_cadence_bench
#include <benchmark/benchmark.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "frame_harness.h"
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
  const size_t i = std::min(v.size() - 1, size_t(p * static_cast<double>(v.size() - 1) + 0.5));
  return v[i];
}

double ProcessCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Where the view is shown and how large its pictures are.
struct CadenceSetup {
  QRect windowGeometry;  // a frameless top-level window
  QRect viewGeometry;  // the view inside it (the whole window: full screen)
  int32_t frameWidth;
  int32_t pictureW, pictureH;
};

std::unique_ptr<raster::Bitmap> OpaqueCopy(const raster::Bitmap& p) {
  auto copy = std::make_unique<raster::Bitmap>();
  copy->Assign(p);
  for (size_t i = 0; i < copy->PixelCount(); ++i) copy->Bits()[i] |= 0xFF000000u;
  return copy;
}

// Runs one transition per iteration with the GUI thread blocked right after
// Execute, and reports the frame intervals and the CPU the process used.
void RunCadence(benchmark::State& state, const CadenceSetup& setup) {
  App();
  if (QGuiApplication::platformName() != "xcb") {
    state.SkipWithError("needs an X server (run under xvfb-run -a)");
    return;
  }
  const QSize screen = QGuiApplication::primaryScreen()->size();
  if (screen.width() < setup.windowGeometry.right() + 1 || screen.height() < setup.windowGeometry.bottom() + 1) {
    state.SkipWithError("the screen is smaller than the window (xvfb-run -a -s \"-screen 0 3840x2160x24\")");
    return;
  }
  QWidget window;
  window.setWindowFlags(Qt::FramelessWindowHint);
  window.setGeometry(setup.windowGeometry);
  auto* vantrel = new TimedVantrel;
  vantrel->setParent(&window);
  vantrel->setGeometry(setup.viewGeometry);
  vantrel->SetProportional(true);
  vantrel->SetCenter(true);
  vantrel->SetFrameWidth(setup.frameWidth);
  vantrel->SetDelay(kDelay);
  window.show();
  ProcessFor(300);
  if (!vantrel->DrawsFromAnyThread()) {
    state.SkipWithError("the view cannot draw from the timer thread on this display");
    return;
  }
  raster::Bitmap pictures[2];
  for (auto& p : pictures) p.SetSize(setup.pictureW, setup.pictureH);
  bench::FillOldPicture(pictures[0]);
  bench::FillNewPicture(pictures[1]);

  std::vector<double> intervals, sentIntervals, latencies, blockFrames, cpuShares, cpuPerFrame;
  int n = 0;
  for (auto _ : state) {
    vantrel->Picture().SetGraphic(OpaqueCopy(pictures[n++ % 2]));
    {
      view::TViewLockHold lock(vantrel->CS());
      vantrel->frames.clear();
    }
    const double cpuStart = ProcessCpuMs();
    const auto start = Clock::now();
    vantrel->Execute();
    const auto blockStart = Clock::now();
    std::this_thread::sleep_for(kBlock);  // the GUI thread is busy, e.g. decoding the next photo
    const auto blockEnd = Clock::now();
    // Sleeps between the view's messages rather than spinning.
    while (vantrel->Busy()) QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    const double cpuMs = ProcessCpuMs() - cpuStart;
    const double wallMs = Ms(Clock::now() - start);
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
    cpuShares.push_back(cpuMs / wallMs);
    if (!f.empty()) cpuPerFrame.push_back(cpuMs / double(f.size()));
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
  // CPU of this process (the X server's work is not in it) over a whole
  // transition, as a share of one core, and per frame.
  state.counters["core_share_median"] = Percentile(cpuShares, 0.5);
  state.counters["cpu_ms_per_frame_median"] = Percentile(cpuPerFrame, 0.5);
  state.counters["intervals"] = double(intervals.size());
}

void BM_ThreadedCadenceWhileGuiBlocked(benchmark::State& state) {
  RunCadence(state, {QRect(0, 0, 1200, 850), QRect(104, 84, 992, 682), 1, 1200, 850});
}

// Full screen at 3840 × 2160: the view is the whole window, the picture fills it.
void BM_FullScreen4KCadenceWhileGuiBlocked(benchmark::State& state) {
  RunCadence(state, {QRect(0, 0, 3840, 2160), QRect(0, 0, 3840, 2160), 0, 3840, 2160});
}

// Between transitions: the process's CPU over 10 s of waiting in the event
// loop after a transition has ended, as a share of one core.
void BM_IdleCpuBetweenTransitions(benchmark::State& state) {
  App();
  QWidget window;
  window.setWindowFlags(Qt::FramelessWindowHint);
  window.setGeometry(0, 0, 1200, 850);
  auto* vantrel = new view::TVantrel;
  vantrel->setParent(&window);
  vantrel->setGeometry(104, 84, 992, 682);
  vantrel->SetProportional(true);
  vantrel->SetDelay(kDelay);
  window.show();
  ProcessFor(300);
  raster::Bitmap picture(1200, 850);
  bench::FillNewPicture(picture);
  std::vector<double> shares;
  for (auto _ : state) {
    vantrel->Picture().SetGraphic(OpaqueCopy(picture));
    vantrel->Execute();
    while (vantrel->Busy()) QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    ProcessFor(200);  // the last paint settles
    const double cpuStart = ProcessCpuMs();
    const auto start = Clock::now();
    // The event loop itself, sleeping until something happens, as the
    // program's own loop does.
    QEventLoop wait;
    QTimer::singleShot(10000, &wait, &QEventLoop::quit);
    wait.exec();
    shares.push_back((ProcessCpuMs() - cpuStart) / Ms(Clock::now() - start));
  }
  state.counters["idle_core_share_max"] = Percentile(shares, 1.0);
}

BENCHMARK(BM_ThreadedCadenceWhileGuiBlocked)->Iterations(12)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FullScreen4KCadenceWhileGuiBlocked)->Iterations(12)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_IdleCpuBetweenTransitions)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
