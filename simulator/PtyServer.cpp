#include "simulator/PtyServer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace rx9100sim {
namespace {

[[noreturn]] void throwErrno(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

// Owns one file descriptor.
class Fd {
  public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() { reset(); }
    Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Fd& operator=(Fd&& other) noexcept {
        if (this != &other) {
            reset();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    int get() const { return fd_; }
    void reset() {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }

  private:
    int fd_ = -1;
};

}  // namespace

struct PtyServer::Impl : std::enable_shared_from_this<PtyServer::Impl> {
    Instrument& instrument;
    Options options;
    mutable std::mutex mutex;  // guards master fd, path and the write side
    Fd master;
    Fd slaveKeeper;  // keeps the slave side alive between clients, so poll() stays quiet
    std::vector<Fd> retiredSlaves;  // earlier ptys' numbers, held after a hang-up
    std::string path;
    Fd stopEvent;
    std::atomic<bool> hangUpRequested{false};
    std::atomic<bool> stopping{false};
    std::atomic<int> reopens{0};
    SessionId session = 0;
    std::thread thread;

    Impl(Instrument& i, Options o) : instrument(i), options(std::move(o)) {}

    void openPty() {
        Fd m(::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
        if (m.get() < 0) {
            throwErrno("posix_openpt");
        }
        if (::grantpt(m.get()) != 0 || ::unlockpt(m.get()) != 0) {
            throwErrno("grantpt/unlockpt");
        }
        char name[128];
        if (::ptsname_r(m.get(), name, sizeof name) != 0) {
            throwErrno("ptsname_r");
        }
        Fd keeper(::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
        if (keeper.get() < 0) {
            throwErrno(std::string("open ") + name);
        }
        termios tio{};
        if (::tcgetattr(keeper.get(), &tio) == 0) {
            ::cfmakeraw(&tio);
            ::cfsetispeed(&tio, B38400);
            ::cfsetospeed(&tio, B38400);
            ::tcsetattr(keeper.get(), TCSANOW, &tio);
        }
        {
            std::lock_guard lock(mutex);
            master = std::move(m);
            slaveKeeper = std::move(keeper);
            path = name;
        }
        if (!options.linkPath.empty()) {
            const std::string temporary = options.linkPath + ".new";
            ::unlink(temporary.c_str());
            if (::symlink(name, temporary.c_str()) != 0 ||
                ::rename(temporary.c_str(), options.linkPath.c_str()) != 0) {
                throwErrno("symlink " + options.linkPath);
            }
        }
        session = instrument.attach([weak = weak_from_this()](const Emission& e) {
            if (const auto self = weak.lock()) {
                self->write(e);
            }
        });
        if (options.onOpened) {
            options.onOpened(name);
        }
    }

    void closePty() {
        instrument.detach(session);
        std::lock_guard lock(mutex);
        master.reset();
        slaveKeeper.reset();
    }

    // Called by the instrument from the server thread (replies) or its timer thread.
    void write(const Emission& e) {
        std::lock_guard lock(mutex);
        if (master.get() < 0 || hangUpRequested) {
            return;
        }
        if (e.delay.count() > 0) {
            // The line is busy for that long; holding the lock keeps replies in order.
            std::this_thread::sleep_for(e.delay);
        }
        std::size_t done = 0;
        while (done < e.bytes.size()) {
            const ssize_t n = ::write(master.get(), e.bytes.data() + done, e.bytes.size() - done);
            if (n > 0) {
                done += static_cast<std::size_t>(n);
                continue;
            }
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0 && errno == EAGAIN) {
                pollfd p{master.get(), POLLOUT, 0};
                if (::poll(&p, 1, 200) <= 0) {
                    return;  // nobody reads: drop the rest rather than block forever
                }
                continue;
            }
            return;
        }
        if (e.hangUp) {
            hangUpRequested = true;
            std::uint64_t one = 1;
            [[maybe_unused]] auto r = ::write(stopEvent.get(), &one, sizeof one);
        }
    }

    // A line the client wrote just before the server stopped (a program leaving remote
    // mode as it exits) reaches the instrument, as it would reach a real one.
    void takeWhatIsLeft(char* buffer, std::size_t size) {
        for (;;) {
            const ssize_t n = ::read(master.get(), buffer, size);
            if (n <= 0) {
                return;
            }
            instrument.receive(session, std::string_view(buffer, static_cast<std::size_t>(n)));
        }
    }

    void run() {
        char buffer[4096];
        while (true) {
            pollfd fds[2] = {{master.get(), POLLIN, 0}, {stopEvent.get(), POLLIN, 0}};
            const int r = ::poll(fds, 2, -1);
            if (r < 0 && errno != EINTR) {
                return;
            }
            if (fds[1].revents & POLLIN) {
                std::uint64_t value = 0;
                [[maybe_unused]] auto n = ::read(stopEvent.get(), &value, sizeof value);
                if (stopping) {
                    takeWhatIsLeft(buffer, sizeof buffer);
                    return;
                }
            }
            if (hangUpRequested) {
                // Give the other side a moment to read the half reply: closing the
                // master discards whatever it has not read yet.
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                // The old slave stays open until the new pty (and link) exist: its number
                // cannot pass to another program's pty meanwhile, so a client that reopens
                // the old path finds it gone instead of reaching a stranger.
                Fd oldSlave;
                {
                    std::lock_guard lock(mutex);
                    oldSlave = std::move(slaveKeeper);
                }
                closePty();
                hangUpRequested = false;
                try {
                    openPty();
                } catch (const std::exception&) {
                    return;
                }
                if (options.linkPath.empty()) {
                    // Clients only know the old path: keep it reserved for good.
                    retiredSlaves.push_back(std::move(oldSlave));
                }
                reopens++;
                continue;
            }
            if (fds[0].revents & POLLIN) {
                const ssize_t n = ::read(master.get(), buffer, sizeof buffer);
                if (n > 0) {
                    instrument.receive(session,
                                       std::string_view(buffer, static_cast<std::size_t>(n)));
                }
            } else if (fds[0].revents & (POLLHUP | POLLERR)) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        }
    }
};

PtyServer::PtyServer(Instrument& instrument, Options options)
    : impl_(std::make_shared<Impl>(instrument, std::move(options))) {
    impl_->stopEvent = Fd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC));
    if (impl_->stopEvent.get() < 0) {
        throwErrno("eventfd");
    }
    impl_->openPty();
    impl_->thread = std::thread([impl = impl_.get()] { impl->run(); });
}

PtyServer::~PtyServer() {
    impl_->stopping = true;
    std::uint64_t one = 1;
    [[maybe_unused]] auto r = ::write(impl_->stopEvent.get(), &one, sizeof one);
    if (impl_->thread.joinable()) {
        impl_->thread.join();
    }
    impl_->closePty();
    if (!impl_->options.linkPath.empty()) {
        ::unlink(impl_->options.linkPath.c_str());
    }
}

std::string PtyServer::path() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->path;
}

std::string PtyServer::linkPath() const {
    return impl_->options.linkPath;
}

void PtyServer::hangUp() {
    impl_->hangUpRequested = true;
    std::uint64_t one = 1;
    [[maybe_unused]] auto r = ::write(impl_->stopEvent.get(), &one, sizeof one);
}

int PtyServer::reopenCount() const {
    return impl_->reopens;
}

}  // namespace rx9100sim
