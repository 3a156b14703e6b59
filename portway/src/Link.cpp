#include "Link.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace portway {

namespace {

// Milliseconds left until the deadline, rounded up so a wait never ends early.
int millisecondsUntil(Clock::time_point deadline) {
    const auto left = deadline - Clock::now();
    if (left <= Clock::duration::zero()) {
        return 0;
    }
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
    return ms > 1'000'000'000 ? 1'000'000'000 : static_cast<int>(ms);
}

constexpr short kTrouble = POLLHUP | POLLERR | POLLNVAL;

// Long enough for a command line at 9600 baud; a line that takes longer is stuck.
constexpr auto kOutputDrainLimit = std::chrono::milliseconds(250);

void waitForOutputToLeave(int fd) {
    const auto deadline = Clock::now() + kOutputDrainLimit;
    int queued = 0;
    while (::ioctl(fd, TIOCOUTQ, &queued) == 0 && queued > 0 && Clock::now() < deadline) {
        ::usleep(1000);
    }
}

}  // namespace

Link::Link(UniqueFd fd, Kind kind, std::string label)
    : fd_(std::move(fd)), kind_(kind), label_(std::move(label)) {}

Link::~Link() {
    // The last command (usually the return to local mode) must reach the instrument even
    // when the port is closed right after it: its bytes get a short while to leave. What
    // is still unsent then is dropped, since close() would otherwise wait for a stuck line
    // without bound. A pty keeps its exclusive flag past our close, so give it up explicitly.
    if (fd_.valid() && kind_ == Kind::Terminal) {
        waitForOutputToLeave(fd_.get());
        ::tcflush(fd_.get(), TCIOFLUSH);
        ::ioctl(fd_.get(), TIOCNXCL);
    }
}

void Link::lost(const char* what, int error) const {
    std::string message = label_ + ": " + what;
    if (error != 0) {
        message += std::string(" (") + std::strerror(error) + ")";
    }
    throw LinkLost(message);
}

void Link::discardInput() {
    // Reading (rather than tcflush) works for sockets too and notices a hang-up
    // before the command goes out; usually it is one read that finds nothing.
    // The bound keeps a device that never stops talking from holding us here.
    reader_.clear();
    for (int reads = 0; reads < 64 && readAvailable(); ++reads) {
        reader_.clear();
    }
}

void Link::send(std::string_view data, Clock::time_point deadline) {
    while (!data.empty()) {
        const ssize_t n = kind_ == Kind::Socket
                              ? ::send(fd_.get(), data.data(), data.size(), MSG_NOSIGNAL)
                              : ::write(fd_.get(), data.data(), data.size());
        if (n > 0) {
            data.remove_prefix(static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && errno != EAGAIN) {
            lost("connection lost while sending", errno);
        }
        pollfd p{fd_.get(), POLLOUT, 0};
        const int ready = ::poll(&p, 1, millisecondsUntil(deadline));
        if (ready == 0) {
            throw SerialPortException(label_ + ": the line does not accept data");
        }
        if (ready > 0 && (p.revents & kTrouble) != 0) {
            lost("connection lost while sending", 0);
        }
    }
}

bool Link::readAvailable() {
    for (;;) {
        const auto space = reader_.freeSpace();
        const ssize_t n = ::read(fd_.get(), space.data(), space.size());
        if (n > 0) {
            reader_.commit(static_cast<std::size_t>(n));
            return true;
        }
        if (n == 0) {
            lost("connection closed by the other side", 0);
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno == EAGAIN) {
            return false;
        }
        lost("connection lost", errno);
    }
}

std::string Link::receiveLine(Clock::time_point deadline, const CancelSignal& cancel) {
    std::string line;
    for (;;) {
        switch (reader_.takeLine(line)) {
            case LineReader::Take::Line:
                return line;
            case LineReader::Take::TooLong:
                throw SerialPortException(label_ + ": reply line longer than " +
                                          std::to_string(LineReader::kMaxLine) + " bytes");
            case LineReader::Take::NeedMore:
                break;
        }
        if (cancel.raised()) {
            throw SerialPortException(label_ + ": receive canceled");
        }
        pollfd p[2] = {{fd_.get(), POLLIN, 0}, {cancel.fd(), POLLIN, 0}};
        const int ready = ::poll(p, 2, millisecondsUntil(deadline));
        if (ready < 0 && errno != EINTR) {
            lost("cannot wait for the reply", errno);
        }
        if (ready == 0) {
            throw SerialPortException(label_ + ": no reply in time");
        }
        if (ready < 0) {
            continue;
        }
        if (p[1].revents != 0) {
            throw SerialPortException(label_ + ": receive canceled");
        }
        if ((p[0].revents & POLLNVAL) != 0) {
            lost("connection lost", 0);
        }
        if (p[0].revents != 0 && !readAvailable() && (p[0].revents & kTrouble) != 0) {
            lost("connection lost", 0);
        }
    }
}

}  // namespace portway
