#include "OpenPort.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <termios.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace portway {

namespace {

[[noreturn]] void fail(const std::string& label, const std::string& what, int error = 0) {
    std::string message = label + ": " + what;
    if (error != 0) {
        message += std::string(" (") + std::strerror(error) + ")";
    }
    throw SerialPortException(message);
}

speed_t speedFor(int baud, const std::string& label) {
    switch (baud) {
        case 1200:
            return B1200;
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        case 230400:
            return B230400;
        default:
            fail(label, "unsupported baud rate " + std::to_string(baud));
    }
}

tcflag_t characterSize(int bits, const std::string& label) {
    switch (bits) {
        case 5:
            return CS5;
        case 6:
            return CS6;
        case 7:
            return CS7;
        case 8:
            return CS8;
        default:
            fail(label, "unsupported data bits " + std::to_string(bits));
    }
}

tcflag_t parityFlags(int parity, const std::string& label) {
    switch (parity) {
        case 0:
            return 0;
        case 1:
            return PARENB | PARODD;
        case 2:
            return PARENB;
        case 3:
            return PARENB | PARODD | CMSPAR;  // mark
        case 4:
            return PARENB | CMSPAR;  // space
        default:
            fail(label, "unsupported parity code " + std::to_string(parity));
    }
}

tcflag_t stopFlags(int stopBits, const std::string& label) {
    switch (stopBits) {
        case 0:
            return 0;
        case 2:
            return CSTOPB;
        default:
            fail(label, "unsupported stop bits code " + std::to_string(stopBits));
    }
}

void configureLine(int fd, const std::string& label, const PortSettings& settings) {
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        fail(label, "not a serial device", errno);
    }
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    tio.c_cflag |= CLOCAL | CREAD | characterSize(settings.byteSize, label) |
                   parityFlags(settings.parity, label) | stopFlags(settings.stopBits, label);
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    // With VMIN 1 an empty non-blocking read says EAGAIN; with 0 it would
    // return 0, which could not be told apart from a hang-up.
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    if (settings.method == comm::kRs232c) {
        const speed_t speed = speedFor(settings.baudRate, label);
        ::cfsetispeed(&tio, speed);
        ::cfsetospeed(&tio, speed);
    }
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
        fail(label, "cannot set up the line", errno);
    }
    ::tcflush(fd, TCIOFLUSH);
}

struct AddressListDeleter {
    void operator()(addrinfo* list) const { ::freeaddrinfo(list); }
};

// One connection attempt bounded by the deadline; the error code on failure.
int tryConnect(const addrinfo& address, Clock::time_point deadline, UniqueFd& out) {
    UniqueFd fd(::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                         address.ai_protocol));
    if (!fd.valid()) {
        return errno;
    }
    if (::connect(fd.get(), address.ai_addr, address.ai_addrlen) != 0) {
        if (errno != EINPROGRESS) {
            return errno;
        }
        pollfd p{fd.get(), POLLOUT, 0};
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        int ready = 0;
        do {
            ready = ::poll(&p, 1, static_cast<int>(std::max<long>(0, left.count())));
        } while (ready < 0 && errno == EINTR);
        if (ready <= 0) {
            return ETIMEDOUT;
        }
        int error = 0;
        socklen_t size = sizeof error;
        ::getsockopt(fd.get(), SOL_SOCKET, SO_ERROR, &error, &size);
        if (error != 0) {
            return error;
        }
    }
    // Commands are short lines answered at once: send each immediately.
    const int on = 1;
    ::setsockopt(fd.get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    out = std::move(fd);
    return 0;
}

}  // namespace

Link openDevice(const std::string& device, const std::string& label, const PortSettings& settings) {
    UniqueFd fd(::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid()) {
        if (errno == EBUSY) {
            fail(label, "in use by another program", errno);
        }
        fail(label, "cannot open", errno);
    }
    // The lock keeps out programs that cooperate (and ourselves, even as root);
    // TIOCEXCL keeps out every other unprivileged open of the terminal.
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        fail(label, "in use by another program", errno == EWOULDBLOCK ? 0 : errno);
    }
    configureLine(fd.get(), label, settings);
    ::ioctl(fd.get(), TIOCEXCL);
    return Link(std::move(fd), Link::Kind::Terminal, label);
}

Link connectTcp(const Endpoint& endpoint, const std::string& label) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int status =
        ::getaddrinfo(endpoint.host.c_str(), endpoint.service.c_str(), &hints, &found);
    if (status != 0) {
        fail(label, std::string("cannot resolve the address: ") + ::gai_strerror(status));
    }
    const std::unique_ptr<addrinfo, AddressListDeleter> addresses(found);
    const auto deadline = Clock::now() + kConnectLimit;
    int error = EADDRNOTAVAIL;
    for (const addrinfo* a = addresses.get(); a != nullptr; a = a->ai_next) {
        UniqueFd fd;
        error = tryConnect(*a, deadline, fd);
        if (error == 0) {
            return Link(std::move(fd), Link::Kind::Socket, label);
        }
    }
    fail(label, "cannot connect", error);
}

}  // namespace portway
