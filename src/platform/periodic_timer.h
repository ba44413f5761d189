#pragma once
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace platform {

// Smallest and largest period the periodic timer accepts, in milliseconds.
constexpr uint32_t kTimerPeriodMin = 1;
constexpr uint32_t kTimerPeriodMax = 1000000;

// A periodic timer that calls back on a thread of its own every `period`
// milliseconds. Deadlines are absolute (start + n × period on the steady
// clock), so lateness of one call does not shift the later ones. A call whose
// deadline passed while the previous one ran is made at once; whole periods
// that a slow callback overran are skipped, not made up in a burst. The kernel's high-resolution sleep keeps each call
// within a fraction of a millisecond of its deadline, inside any `resolution`. The thread asks for a raised priority
// (granted where the system allows it).
class TPeriodicTimer {
 public:
  using Callback = std::function<void()>;

  TPeriodicTimer(uint32_t periodMs, uint32_t resolutionMs, Callback callback);
  // Kills the timer (see Kill). May run inside the timer's own callback (an
  // owner that starts over from a frame handler): the thread then finishes
  // that call and ends by itself, touching nothing of the destroyed object.
  ~TPeriodicTimer();
  TPeriodicTimer(const TPeriodicTimer&) = delete;
  TPeriodicTimer& operator=(const TPeriodicTimer&) = delete;

  // No callback starts after Kill returns. Called from another thread, it
  // also waits for a running callback to finish; called from inside the
  // callback, it returns at once and the thread ends after the callback.
  void Kill();
  bool OnTimerThread() const { return std::this_thread::get_id() == state_->threadId.load(); }
  uint32_t Period() const { return period_; }
  uint32_t Resolution() const { return resolution_; }

 private:
  // What the thread uses, shared by the thread and the object, so that it
  // outlives an object destroyed from inside the callback.
  struct State {
    explicit State(Callback c) : callback(std::move(c)) {}
    Callback callback;
    std::mutex mutex;
    std::condition_variable wake;
    bool killed = false;
    std::atomic<std::thread::id> threadId;
  };
  static void Run(std::shared_ptr<State> state, std::chrono::milliseconds period);

  const uint32_t period_, resolution_;
  std::shared_ptr<State> state_;
  std::thread thread_;
};

// Milliseconds on a monotonic clock, unsigned 32-bit, wrapping around.
uint32_t TickCount();

}  // namespace platform
