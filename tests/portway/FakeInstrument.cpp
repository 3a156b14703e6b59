#include "FakeInstrument.h"

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <stdexcept>

namespace portway_test {

FakeInstrument::FakeInstrument(Handler handler) : handler_(std::move(handler)) {
    char name[128] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0 || ::pipe(stop_) != 0) {
        throw std::runtime_error("cannot create a pty");
    }
    // Raw from the start so nothing is echoed before the port configures it.
    termios tio{};
    ::tcgetattr(slave_, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(slave_, TCSANOW, &tio);
    path_ = name;
    thread_ = std::thread([this] { serve(); });
}

FakeInstrument::~FakeInstrument() {
    hangUp();
    ::close(slave_);
    ::close(stop_[0]);
    ::close(stop_[1]);
}

void FakeInstrument::inject(const std::string& bytes) {
    [[maybe_unused]] auto n = ::write(master_, bytes.data(), bytes.size());
}

void FakeInstrument::hangUp() {
    if (thread_.joinable()) {
        [[maybe_unused]] auto n = ::write(stop_[1], "x", 1);
        thread_.join();
    }
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}

void FakeInstrument::serve() {
    std::string pending;
    char buffer[8192];
    for (;;) {
        pollfd p[2] = {{master_, POLLIN, 0}, {stop_[0], POLLIN, 0}};
        if (::poll(p, 2, -1) < 0 || p[1].revents != 0) {
            return;
        }
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0) {
            // The port side is closed (EIO) until it opens the slave again.
            ::poll(p + 1, 1, 10);
            continue;
        }
        pending.append(buffer, static_cast<std::size_t>(n));
        for (auto end = pending.find("\r\n"); end != std::string::npos;
             end = pending.find("\r\n")) {
            const std::string reply = handler_(pending.substr(0, end));
            pending.erase(0, end + 2);
            inject(reply);
        }
    }
}

}  // namespace portway_test
