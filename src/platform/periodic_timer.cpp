#include "platform/periodic_timer.h"

#include <sys/resource.h>
#include <unistd.h>

namespace platform {

using Clock = std::chrono::steady_clock;

TPeriodicTimer::TPeriodicTimer(uint32_t periodMs, uint32_t resolutionMs, Callback callback)
    : period_(periodMs == 0 ? 1 : periodMs),
      resolution_(resolutionMs),
      state_(std::make_shared<State>(std::move(callback))) {
  thread_ = std::thread(&TPeriodicTimer::Run, state_, std::chrono::milliseconds(period_));
}

TPeriodicTimer::~TPeriodicTimer() {
  Kill();
  // Only still joinable on the timer thread itself (destroyed from inside the
  // callback): the thread must not join itself; it holds its own share of the
  // state and ends after the callback returns.
  if (thread_.joinable()) thread_.detach();
}

void TPeriodicTimer::Kill() {
  {
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->killed = true;
  }
  state_->wake.notify_all();
  if (OnTimerThread()) return;
  if (thread_.joinable()) thread_.join();
}

namespace {

// Timer callbacks put frames on screen at a fixed cadence, so their thread
// asks for a higher priority than the application's; where the system does
// not allow it, the thread keeps the normal one.
void RaiseThreadPriority() { (void)setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), -10); }

}  // namespace

void TPeriodicTimer::Run(std::shared_ptr<State> state, std::chrono::milliseconds period) {
  state->threadId.store(std::this_thread::get_id());
  RaiseThreadPriority();
  auto deadline = Clock::now() + period;
  for (;;) {
    {
      std::unique_lock<std::mutex> lock(state->mutex);
      // wait_until sleeps on the kernel's high-resolution timers, well inside
      // any resolution of a millisecond or more.
      if (state->wake.wait_until(lock, deadline, [&] { return state->killed; })) return;
    }
    state->callback();
    {
      std::lock_guard<std::mutex> lock(state->mutex);
      if (state->killed) return;
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
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
  return static_cast<uint32_t>(ms);
}

}  // namespace platform
