#pragma once
// Threads, sleeping and clocks.
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

    // Runs proc(argument) on a new thread at once, after waiting for a previous run to
    // return; false when the thread could not be started.
    [[nodiscard]] bool start(ThreadProc proc, void* argument);
    // Waits until the current run has returned (at once when there is none).
    void join();

  private:
    std::thread thread_;
};

void sleepMs(unsigned milliseconds);

// Milliseconds from an arbitrary start, wrapping at 2^32 like the native tick count.
std::uint32_t tickCount();

// Seconds since 1970.
std::int64_t timeOfDay();

}  // namespace platform
