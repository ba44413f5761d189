#pragma once
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "view/custom_vantrel.h"

namespace view::test {

// A solid picture of the given size and colour (0x00RRGGBB as stored, opaque).
inline std::unique_ptr<raster::Bitmap> SolidBitmap(int32_t w, int32_t h, uint32_t pixel) {
  auto b = std::make_unique<raster::Bitmap>(w, h);
  b->Fill(pixel | 0xFF000000u);
  return b;
}

// The run-time with a fake window: a message queue pumped by the test on its
// own thread, an optional fake tick count, and a log of events.
class TTestVantrel : public TCustomVantrel {
 public:
  TTestVantrel() {
    SetOnStart([this](TCustomVantrel&, raster::Bitmap&, raster::Bitmap&) { Log("Start"); });
    SetOnProgress([this](TCustomVantrel&) { Log("Progress " + std::to_string(Progress())); });
    SetOnComplete([this](TCustomVantrel&) { Log("Complete"); });
    SetOnStop([this](TCustomVantrel&) { Log("Stop"); });
  }
  ~TTestVantrel() override { BeginDestroy(); }

  using TCustomVantrel::StartTimer;
  using TCustomVantrel::StopTimer;
  using TCustomVantrel::TimerResolution;
  using TCustomVantrel::TimerRunning;
  using TCustomVantrel::UpdateProgress;

  void SetPictureSolid(int32_t w, int32_t h, uint32_t pixel) { Picture().SetGraphic(SolidBitmap(w, h, pixel)); }

  // --- event log (window-thread events only) ---
  void Log(const std::string& s) {
    std::lock_guard<std::mutex> lock(logMutex);
    log.push_back(s);
  }
  std::vector<std::string> Events() {
    std::lock_guard<std::mutex> lock(logMutex);
    return log;
  }
  void ClearLog() {
    std::lock_guard<std::mutex> lock(logMutex);
    log.clear();
  }

  // --- fake clock ---
  std::atomic<bool> fakeClock{false};
  std::atomic<uint32_t> tick{1000};
  uint32_t tickPerPump = 1;
  uint32_t GetTickCount() const override { return fakeClock ? tick.load() : TCustomVantrel::GetTickCount(); }

  // --- timer device ---
  bool capsReadable = true;
  TTimeCaps caps{1, 1000000};
  bool TimeGetDevCaps(TTimeCaps& c) const override {
    c = caps;
    return capsReadable;
  }

  // --- window ---
  std::atomic<bool> window{true};
  std::atomic<int> framesOnScreen{0};
  bool HandleAllocated() const override { return window; }
  void HandleNeeded() override { window = true; }
  void PutFrameOnScreen(const raster::Bitmap&, const raster::Rect&, const raster::Rect&) override { ++framesOnScreen; }

  // --- posted messages ---
  void PostTransitionMessage(const TTransitionMessage& msg) override {
    std::lock_guard<std::mutex> lock(queueMutex);
    queue.push_back(msg);
  }
  // Handles every message posted so far; returns how many.
  int Pump() {
    int n = 0;
    for (;;) {
      TTransitionMessage msg;
      {
        std::lock_guard<std::mutex> lock(queueMutex);
        if (queue.empty()) return n;
        msg = queue.front();
        queue.pop_front();
      }
      HandleTransitionMessage(msg);
      ++n;
    }
  }
  size_t Pending() {
    std::lock_guard<std::mutex> lock(queueMutex);
    return queue.size();
  }
  // Pumps until `done` holds or a few seconds pass.
  bool PumpUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      Pump();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
  }

  // The unthreaded loop's message pump: handles messages, moves the fake
  // clock and runs the test's hook.
  std::function<void()> onPump;
  void ProcessMessages() override {
    Pump();
    if (fakeClock) tick += tickPerPump;
    if (onPump) onPump();
  }

 private:
  std::mutex logMutex, queueMutex;
  std::vector<std::string> log;
  std::deque<TTransitionMessage> queue;
};

}  // namespace view::test
