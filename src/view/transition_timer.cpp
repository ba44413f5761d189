// Threaded steps: the periodic timer that drives a transition.
#include <climits>
#include <exception>

#include "view/custom_vantrel.h"

namespace view {

bool TCustomVantrel::TimerRunning() const { return fTimerID.load() != 0; }

void TCustomVantrel::StartTimer() {
  if (TimerRunning() || !HandleAllocated() || Loading()) return;
  TTimeCaps TimeCaps;
  // Without readable capabilities the steps below would set Delay to 0 and
  // start nothing, leaving the transition stuck; assume the usual device.
  if (!TimeGetDevCaps(TimeCaps)) TimeCaps = {1, 65535};
  uint32_t delay = fDelay.load();
  if (delay > TimeCaps.wPeriodMax) delay = TimeCaps.wPeriodMax;
  uint32_t resolution = delay / 10;
  if (resolution < TimeCaps.wPeriodMin) {
    resolution = TimeCaps.wPeriodMin;
    if (TimeCaps.wPeriodMin > delay) delay = TimeCaps.wPeriodMin;
  }
  fDelay.store(static_cast<uint16_t>(delay > 65535 ? 65535 : delay));
  fTimerResolution.store(resolution);
  if (delay == 0) return;

  // A timer that ended itself from its callback may still be winding down.
  std::unique_ptr<platform::TPeriodicTimer> finished;
  {
    TTimerLockHold lock(fTimerMutex);
    finished = std::move(fTimer);
  }
  finished.reset();

  const uint32_t transition = fTransition.load();
  TTimerLockHold lock(fTimerMutex);
  fTimer = std::make_unique<platform::TPeriodicTimer>(delay, resolution, [this, transition] { TimerProc(transition); });
  fLastTimerID = fLastTimerID % INT32_MAX + 1;
  fTimerID.store(fLastTimerID);
}

void TCustomVantrel::StopTimer() {
  std::unique_ptr<platform::TPeriodicTimer> killed;
  {
    TTimerLockHold lock(fTimerMutex);
    if (fTimerID.load() == 0) return;
    fTimerID.store(0);
    if (fTimer && fTimer->OnTimerThread()) {
      // From inside the callback: no further call starts; the thread ends
      // when the callback returns and is joined by the next owner.
      fTimer->Kill();
    } else {
      killed = std::move(fTimer);
    }
  }
  // Kills and joins outside the timer lock: the callback may be about to ask
  // for it in its own StopTimer. Killing from another thread waits for a
  // running callback, so when this returns no frame of the timer is in
  // progress and none starts later; from inside the callback the frame in
  // progress is the caller's own.
  killed.reset();
}

void TCustomVantrel::TimerProc(uint32_t transition) {
  try {
    if (!UpdateProgress()) {
      StopTimer();
      PostTransitionMessage({TTransitionMessage::Completed, 0, transition, {}});
    }
  } catch (const std::exception& e) {
    StopTimer();
    PostTransitionMessage({TTransitionMessage::Failed, 0, transition, e.what()});
  } catch (...) {
    StopTimer();
    PostTransitionMessage({TTransitionMessage::Failed, 0, transition, "unknown error"});
  }
}

}  // namespace view
