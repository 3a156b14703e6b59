#include "Interrupt.h"

#include <atomic>
#include <csignal>
#include <thread>

namespace cli {

namespace {

std::atomic<bool> g_interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the flag is set from a signal handler");

extern "C" void onInterrupt(int signal) {
    if (g_interrupted.exchange(true)) {
        // Asked twice: the user wants out now, whatever state the instrument is left in.
        std::signal(signal, SIG_DFL);
        std::raise(signal);
    }
}

}  // namespace

void installInterruptHandler() {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool interrupted() {
    return g_interrupted.load();
}

bool sleepUnlessInterrupted(std::chrono::milliseconds duration) {
    using namespace std::chrono_literals;
    const auto end = std::chrono::steady_clock::now() + duration;
    while (!interrupted()) {
        const auto left = end - std::chrono::steady_clock::now();
        if (left <= 0ms) {
            return true;
        }
        std::this_thread::sleep_for(std::min<std::chrono::nanoseconds>(left, 20ms));
    }
    return false;
}

}  // namespace cli
