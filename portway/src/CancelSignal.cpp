#include "CancelSignal.h"

#include <sys/eventfd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>

#include "outside/PortwayEx.h"

namespace portway {

CancelSignal::CancelSignal() : event_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (!event_.valid()) {
        throw SerialPortException(std::string("cannot create the cancel event: ") +
                                  std::strerror(errno));
    }
}

void CancelSignal::raise() {
    std::lock_guard lock(mutex_);
    if (raised_.load(std::memory_order_relaxed)) {
        return;
    }
    const std::uint64_t one = 1;
    // A full counter is impossible here: it is drained whenever the flag drops.
    [[maybe_unused]] auto written = ::write(event_.get(), &one, sizeof one);
    raised_.store(true, std::memory_order_release);
}

void CancelSignal::clear() {
    if (!raised()) {
        return;  // the usual case costs no system call
    }
    std::lock_guard lock(mutex_);
    std::uint64_t count = 0;
    [[maybe_unused]] auto got = ::read(event_.get(), &count, sizeof count);
    raised_.store(false, std::memory_order_release);
}

}  // namespace portway
