#pragma once
// Lock annotations that Clang's thread-safety analysis (-Wthread-safety)
// checks at compile time; other compilers see plain locks.
#include <mutex>

#if defined(__clang__)
#define VIEW_THREAD_ATTRIBUTE(x) __attribute__((x))
#else
#define VIEW_THREAD_ATTRIBUTE(x)
#endif

#define CAPABILITY(x) VIEW_THREAD_ATTRIBUTE(capability(x))
#define SCOPED_CAPABILITY VIEW_THREAD_ATTRIBUTE(scoped_lockable)
#define GUARDED_BY(x) VIEW_THREAD_ATTRIBUTE(guarded_by(x))
#define PT_GUARDED_BY(x) VIEW_THREAD_ATTRIBUTE(pt_guarded_by(x))
#define REQUIRES(...) VIEW_THREAD_ATTRIBUTE(requires_capability(__VA_ARGS__))
#define ACQUIRE(...) VIEW_THREAD_ATTRIBUTE(acquire_capability(__VA_ARGS__))
#define RELEASE(...) VIEW_THREAD_ATTRIBUTE(release_capability(__VA_ARGS__))
#define EXCLUDES(...) VIEW_THREAD_ATTRIBUTE(locks_excluded(__VA_ARGS__))
#define RETURN_CAPABILITY(x) VIEW_THREAD_ATTRIBUTE(lock_returned(x))
#define NO_THREAD_SAFETY_ANALYSIS VIEW_THREAD_ATTRIBUTE(no_thread_safety_analysis)

namespace view {

// A standard mutex the analysis knows as a capability. Re-entrant kinds
// (std::recursive_mutex) may be locked again by the thread holding them; the
// analysis checks each function on its own, so nested holds across calls pass.
template <class Mutex>
class CAPABILITY("mutex") TCheckedMutex {
 public:
  void lock() ACQUIRE() { mutex_.lock(); }
  void unlock() RELEASE() { mutex_.unlock(); }

 private:
  Mutex mutex_;
};

// Holds a TCheckedMutex for a scope.
template <class Mutex>
class SCOPED_CAPABILITY TLockHold {
 public:
  explicit TLockHold(TCheckedMutex<Mutex>& m) ACQUIRE(m) : mutex_(m) { mutex_.lock(); }
  ~TLockHold() RELEASE() { mutex_.unlock(); }
  TLockHold(const TLockHold&) = delete;
  TLockHold& operator=(const TLockHold&) = delete;

 private:
  TCheckedMutex<Mutex>& mutex_;
};

using TRecursiveLock = TCheckedMutex<std::recursive_mutex>;
using TViewLockHold = TLockHold<std::recursive_mutex>;
using TTimerLock = TCheckedMutex<std::mutex>;
using TTimerLockHold = TLockHold<std::mutex>;

}  // namespace view
