#include "platform/System.h"

#include <chrono>
#include <system_error>
#include <thread>

namespace platform {

bool WorkerThread::start(ThreadProc proc, void* argument) {
    join();
    try {
        thread_ = std::thread(proc, argument);
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

void WorkerThread::join() {
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) {
        thread_.join();
    }
}

void sleepMs(unsigned milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::uint32_t tickCount() {
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

std::int64_t timeOfDay() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

}  // namespace platform
