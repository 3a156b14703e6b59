#pragma once
// Threads, sleeping and clocks.
#include <atomic>
#include <cstdint>
#include <thread>

namespace platform {

using ThreadProc = unsigned (*)(void*);

// A worker thread that belongs to whoever starts it: it is joined at the latest when
// the owner is destroyed, so no thread outlives the code and data it runs on.
class WorkerThread {
  public:
    WorkerThread() = default;
    ~WorkerThread() { join(); }
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Runs proc(argument) on a new thread at once, after joining a previous run that has
    // ended; false when the thread could not be started or a previous run is still going.
    [[nodiscard]] bool start(ThreadProc proc, void* argument);
    // Whether a run has started and not yet returned.
    bool running() const { return running_; }
    // Waits until the current run has returned (at once when there is none).
    void join();

  private:
    std::thread thread_;
    std::atomic<bool> running_{false};
};

void sleepMs(unsigned milliseconds);

// Milliseconds from an arbitrary start, wrapping at 2^32 like the native tick count.
std::uint32_t tickCount();

// Seconds since 1970.
std::int64_t timeOfDay();

}  // namespace platform
