#include "StandInInstrument.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <stdexcept>

namespace clitest {

StandInInstrument::StandInInstrument(Answer answer) : answer_(std::move(answer)) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
        ::pipe2(wake_, O_CLOEXEC) != 0) {
        throw std::runtime_error("no pseudo-terminal for the stand-in instrument");
    }
    port_ = ::ptsname(master_);
    keeper_ = ::open(port_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios tio{};
    if (keeper_ >= 0 && ::tcgetattr(keeper_, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(keeper_, TCSANOW, &tio);
    }
    thread_ = std::jthread([this](std::stop_token stop) { serve(stop); });
}

StandInInstrument::~StandInInstrument() {
    thread_.request_stop();
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(wake_[1], &byte, 1);
    thread_.join();
    for (int fd : {master_, keeper_, wake_[0], wake_[1]}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

std::vector<std::string> StandInInstrument::received() const {
    std::lock_guard lock(mutex_);
    return received_;
}

void StandInInstrument::serve(const std::stop_token& stop) {
    std::string pending;
    char buffer[1024];
    while (!stop.stop_requested()) {
        pollfd fds[2] = {{master_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) <= 0 || (fds[0].revents & POLLIN) == 0) {
            continue;
        }
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0) {
            continue;
        }
        pending.append(buffer, static_cast<std::size_t>(n));
        for (auto end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
            std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            answer(line);
        }
    }
}

void StandInInstrument::answer(const std::string& line) {
    {
        std::lock_guard lock(mutex_);
        received_.push_back(line);
    }
    std::optional<std::string> reply = answer_ ? answer_(line) : std::nullopt;
    const std::string own = instrument_.exchange(line);  // the instrument's state follows
    const std::string& bytes = reply ? *reply : own;
    [[maybe_unused]] const auto written = ::write(master_, bytes.data(), bytes.size());
}

}  // namespace clitest
