// Waiting in the tests that drive a real program: Qt's events keep flowing
// (screen grabs, child processes) while the clock runs.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <functional>

namespace test_support {

// Lets `ms` milliseconds pass with the event loop turning.
inline void Wait(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(10);
  }
}

// True as soon as `done` is, false once `ms` milliseconds pass without it;
// `done` is asked again every `everyMs` milliseconds.
inline bool WaitFor(const std::function<bool()>& done, int ms, int everyMs = 100) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > ms) return false;
    Wait(everyMs);
  }
  return true;
}

}  // namespace test_support
