#include "Interrupt.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>

namespace cli {

namespace {

using namespace std::chrono_literals;

constexpr auto kRepeat = 50ms;

std::atomic<int> g_stopSignal{0};
std::atomic<int> g_userSignals{0};
// Readable from the first stop request on (never drained), so that any number of waits
// can poll it instead of looking at the flag in a loop.
int g_stopPipe[2] = {-1, -1};
static_assert(std::atomic<int>::is_always_lock_free, "set from a signal handler");

void noteStop(int signal) {
    int none = 0;
    if (g_stopSignal.compare_exchange_strong(none, signal) && g_stopPipe[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const auto written = ::write(g_stopPipe[1], &byte, 1);
    }
}

extern "C" void onStopSignal(int signal) {
    const int savedErrno = errno;
    // SIGPIPE comes with every write to a closed pipe; only people ask twice.
    if (signal != SIGPIPE && g_userSignals.fetch_add(1) > 0) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);  // delivered when this handler returns
    }
    noteStop(signal);
    errno = savedErrno;
}

// Waits until fd is readable or the time is up; false when the time ran out.
bool waitReadable(int fd, std::chrono::milliseconds limit) {
    pollfd p{fd, POLLIN, 0};
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        const int ready = ::poll(&p, 1, static_cast<int>(std::max<long long>(0, left.count())));
        if (ready > 0) {
            return true;
        }
        if (ready == 0 || errno != EINTR) {
            return false;
        }
    }
}

}  // namespace

void installStopHandlers() {
    if (g_stopPipe[0] < 0 && ::pipe2(g_stopPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        g_stopPipe[0] = g_stopPipe[1] = -1;  // the waits then fall back to their time limits
    }
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
        sigaction(signal, &action, nullptr);
    }
}

bool interrupted() {
    return g_stopSignal.load() != 0;
}

int stopSignal() {
    return g_stopSignal.load();
}

void requestStop(int signal) {
    noteStop(signal);
}

std::string stopReason(int signal) {
    switch (signal) {
        case SIGINT:
            return "Ctrl-C (SIGINT)";
        case SIGTERM:
            return "SIGTERM";
        case SIGHUP:
            return "SIGHUP (the terminal was closed)";
        case SIGPIPE:
            return "a closed output pipe (SIGPIPE)";
        default:
            return "signal " + std::to_string(signal);
    }
}

bool sleepUnlessInterrupted(std::chrono::milliseconds duration) {
    if (interrupted()) {
        return false;
    }
    if (g_stopPipe[0] >= 0) {
        return !waitReadable(g_stopPipe[0], duration);
    }
    // Without the pipe the flag is looked at now and then.
    const auto end = std::chrono::steady_clock::now() + duration;
    while (!interrupted() && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(kRepeat);
    }
    return !interrupted();
}

StopWatcher::StopWatcher(std::function<void()> onStop, int output)
    : onStop_(std::move(onStop)), output_(output) {
    if (::pipe2(wake_, O_CLOEXEC) != 0) {
        wake_[0] = wake_[1] = -1;
        return;
    }
    thread_ = std::jthread([this](std::stop_token stop) { run(stop); });
}

StopWatcher::~StopWatcher() {
    if (thread_.joinable()) {
        thread_.request_stop();
        const char byte = 1;
        [[maybe_unused]] const auto written = ::write(wake_[1], &byte, 1);
        thread_.join();
    }
    for (int fd : wake_) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

void StopWatcher::run(const std::stop_token& stop) {
    while (!stop.stop_requested()) {
        if (interrupted()) {
            if (onStop_) {
                onStop_();
            }
            waitReadable(wake_[0], kRepeat);
            continue;
        }
        // The output reports an error once its reader has closed the pipe.
        pollfd fds[3] = {{wake_[0], POLLIN, 0}, {g_stopPipe[0], POLLIN, 0}, {output_, 0, 0}};
        if (::poll(fds, output_ >= 0 ? 3 : 2, -1) < 0 && errno != EINTR) {
            return;
        }
        if ((fds[2].revents & (POLLERR | POLLHUP)) != 0) {
            requestStop(SIGPIPE);
        }
    }
}

int pipedStandardOutput() {
    struct stat info {};
    if (::fstat(STDOUT_FILENO, &info) != 0) {
        return -1;
    }
    return S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode) ? STDOUT_FILENO : -1;
}

}  // namespace cli
