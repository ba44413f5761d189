// The periodic timer thread behind threaded transitions.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/periodic_timer.h"

namespace {

using namespace std::chrono_literals;

void WaitFor(const std::atomic<int>& n, int atLeast) {
  const auto end = std::chrono::steady_clock::now() + 10s;
  while (n.load() < atLeast && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(1ms);
}

TEST(PeriodicTimer, CallsBackRepeatedlyOnItsOwnThreadUntilKilled) {
  std::atomic<int> calls{0};
  std::atomic<bool> onOtherThread{true};
  const auto caller = std::this_thread::get_id();
  platform::TPeriodicTimer timer(2, 1, [&] {
    if (std::this_thread::get_id() == caller) onOtherThread = false;
    ++calls;
  });
  WaitFor(calls, 3);
  timer.Kill();
  const int atKill = calls.load();
  std::this_thread::sleep_for(20ms);
  EXPECT_GE(atKill, 3);
  EXPECT_EQ(calls.load(), atKill) << "no call after Kill returned";
  EXPECT_TRUE(onOtherThread.load());
}

TEST(PeriodicTimer, KillFromInsideTheCallbackEndsAfterThatCall) {
  std::atomic<int> calls{0};
  platform::TPeriodicTimer* self = nullptr;
  std::atomic<bool> ready{false};
  platform::TPeriodicTimer timer(1, 1, [&] {
    while (!ready.load()) std::this_thread::yield();
    if (++calls == 2) self->Kill();
  });
  self = &timer;
  ready = true;
  WaitFor(calls, 2);
  std::this_thread::sleep_for(20ms);
  EXPECT_EQ(calls.load(), 2);
}

TEST(PeriodicTimer, KillWaitsForARunningCallback) {
  std::atomic<int> started{0};
  std::atomic<bool> finished{false};
  platform::TPeriodicTimer timer(1, 1, [&] {
    if (++started == 1) {
      std::this_thread::sleep_for(50ms);
      finished = true;
    }
  });
  WaitFor(started, 1);
  timer.Kill();
  EXPECT_TRUE(finished.load());
  EXPECT_EQ(started.load(), 1);
}

// An owner that starts over from a frame handler destroys the running timer
// from inside its callback: the thread must finish that call without touching
// the destroyed object (run under ThreadSanitizer and AddressSanitizer too).
TEST(PeriodicTimer, CanBeDestroyedFromItsOwnCallback) {
  for (int round = 0; round < 20; ++round) {
    std::atomic<int> calls{0};
    std::atomic<bool> destroyed{false};
    std::atomic<platform::TPeriodicTimer*> owned{nullptr};
    owned = new platform::TPeriodicTimer(1, 1, [&] {
      while (!owned.load()) std::this_thread::yield();
      if (++calls == 1) {
        delete owned.load();  // the owner lets go of it here, on the timer's thread
        destroyed = true;
      }
    });
    WaitFor(calls, 1);
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (!destroyed.load() && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(1ms);
    ASSERT_TRUE(destroyed.load());
    // The thread ends by itself and calls back no more.
    std::this_thread::sleep_for(10ms);
    EXPECT_EQ(calls.load(), 1);
  }
}

}  // namespace
