#pragma once
// Auto-reset events and a re-entrant critical section.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace platform {

// Signalled by set(); a wait that sees the signal consumes it.
class AutoResetEvent {
  public:
    explicit AutoResetEvent(bool signalled = false) : signalled_(signalled) {}
    void set();
    void reset();
    void wait();
    // False when the time passed without a signal.
    bool waitFor(std::chrono::milliseconds timeout);

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool signalled_;
};

// A lock the owning thread may take again; enter and leave may sit in different
// calls. A leave by a thread that does not hold it is ignored (returns false),
// so a release on a path that may or may not hold the lock is harmless.
class CriticalSection {
  public:
    void enter();
    bool tryEnter();
    bool leave();
    bool heldByCurrentThread();

  private:
    std::mutex mutex_;
    std::condition_variable released_;
    std::thread::id owner_;
    int depth_ = 0;
};

class CriticalSectionLock {
  public:
    explicit CriticalSectionLock(CriticalSection& section) : section_(section) { section_.enter(); }
    ~CriticalSectionLock() { section_.leave(); }
    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

  private:
    CriticalSection& section_;
};

}  // namespace platform
