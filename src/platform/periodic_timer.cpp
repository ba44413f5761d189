#include "platform/periodic_timer.h"

#include <sys/resource.h>
#include <unistd.h>

namespace platform {

using Clock = std::chrono::steady_clock;

TPeriodicTimer::TPeriodicTimer(uint32_t periodMs, uint32_t resolutionMs, Callback callback)
    : period_(periodMs == 0 ? 1 : periodMs), resolution_(resolutionMs), callback_(std::move(callback)) {
  thread_ = std::thread(&TPeriodicTimer::Run, this);
}

TPeriodicTimer::~TPeriodicTimer() {
  Kill();
  // Only reached on the timer thread if the owner destroys the timer from
  // inside its callback; the thread must then not join itself.
  if (thread_.joinable()) {
    if (thread_.get_id() == std::this_thread::get_id()) {
      thread_.detach();
    } else {
      thread_.join();
    }
  }
}

void TPeriodicTimer::Kill() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    killed_ = true;
  }
  wake_.notify_all();
  if (OnTimerThread()) return;
  if (thread_.joinable()) thread_.join();
}

namespace {

// Timer callbacks put frames on screen at a fixed cadence, so their thread
// asks for a higher priority than the application's; where the system does
// not allow it, the thread keeps the normal one.
void RaiseThreadPriority() { (void)setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), -10); }

}  // namespace

void TPeriodicTimer::Run() {
  threadId_.store(std::this_thread::get_id());
  RaiseThreadPriority();
  const auto period = std::chrono::milliseconds(period_);
  auto deadline = Clock::now() + period;
  for (;;) {
    {
      std::unique_lock<std::mutex> lock(mutex_);
      // wait_until sleeps on the kernel's high-resolution timers, well inside
      // any resolution of a millisecond or more.
      if (wake_.wait_until(lock, deadline, [this] { return killed_; })) return;
    }
    callback_();
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (killed_) return;
    }
    // Next deadline on the fixed grid. One that has just passed is served at
    // once; whole periods a slow callback overran are skipped, not made up in
    // a burst.
    deadline += period;
    const auto now = Clock::now();
    if (now - deadline >= period) deadline += ((now - deadline) / period) * period;
  }
}

uint32_t TickCount() {
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
  return static_cast<uint32_t>(ms);
}

}  // namespace platform
