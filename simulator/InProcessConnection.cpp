#include "simulator/InProcessConnection.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace rx9100sim {

// State the instrument's sink writes into; shared so that a late reply from the
// instrument's timer thread never touches a destroyed connection.
struct InProcessConnection::Shared {
    struct Chunk {
        Clock::time_point readyAt;
        std::string bytes;
        bool hangUp = false;
    };
    std::mutex mutex;
    std::condition_variable arrived;
    std::deque<Chunk> incoming;
    std::string pending;  // delivered bytes not yet returned as a line
    Clock::time_point lastReady{};
    std::optional<SessionId> session;
    bool open = false;
    bool hungUp = false;
    bool canceled = false;
    std::uint64_t cancelGeneration = 0;
    int timeoutSeconds = 3;
    std::optional<std::chrono::milliseconds> waitOverride;
    bool openFails = false;
};

InProcessConnection::InProcessConnection(Instrument& instrument)
    : instrument_(instrument), shared_(std::make_shared<Shared>()) {}

InProcessConnection::~InProcessConnection() {
    std::optional<SessionId> session;
    {
        std::lock_guard lock(shared_->mutex);
        session = shared_->session;
        shared_->session.reset();
    }
    if (session) {
        instrument_.detach(*session);
    }
}

int InProcessConnection::setupPort(platform::WindowHandle, int) {
    return 0;
}

void InProcessConnection::open() {
    std::optional<SessionId> old;
    {
        std::lock_guard lock(shared_->mutex);
        if (shared_->openFails) {
            throw SerialPortException("simulated instrument: device not present");
        }
        if (shared_->open && !shared_->hungUp) {
            shared_->canceled = false;
            return;
        }
        old = shared_->session;
        shared_->session.reset();
    }
    if (old) {
        instrument_.detach(*old);
    }
    std::weak_ptr<Shared> weak = shared_;
    const SessionId id = instrument_.attach([weak](const Emission& e) {
        const auto s = weak.lock();
        if (!s) {
            return;
        }
        std::lock_guard lock(s->mutex);
        if (!s->open || s->hungUp) {
            return;
        }
        // Bytes on a serial line arrive in order: never before earlier ones.
        const auto ready = std::max(Clock::now() + e.delay, s->lastReady);
        s->lastReady = ready;
        s->incoming.push_back(Shared::Chunk{ready, e.bytes, e.hangUp});
        s->arrived.notify_all();
    });
    std::lock_guard lock(shared_->mutex);
    shared_->session = id;
    shared_->open = true;
    shared_->hungUp = false;
    shared_->canceled = false;
    shared_->incoming.clear();
    shared_->pending.clear();
}

void InProcessConnection::close() {
    std::optional<SessionId> session;
    {
        std::lock_guard lock(shared_->mutex);
        session = shared_->session;
        shared_->session.reset();
        shared_->open = false;
        shared_->hungUp = false;
        shared_->incoming.clear();
        shared_->pending.clear();
        shared_->arrived.notify_all();
    }
    if (session) {
        instrument_.detach(*session);
    }
}

bool InProcessConnection::isOpen() {
    std::lock_guard lock(shared_->mutex);
    if (!shared_->hungUp && !shared_->incoming.empty()) {
        // A drop that is already due counts even before anyone receives.
        for (const auto& c : shared_->incoming) {
            if (c.hangUp && c.readyAt <= Clock::now()) {
                return false;
            }
        }
    }
    return shared_->open && !shared_->hungUp;
}

void InProcessConnection::setTimeout(int seconds) {
    std::lock_guard lock(shared_->mutex);
    shared_->timeoutSeconds = seconds;
}

int InProcessConnection::getTimeout() {
    std::lock_guard lock(shared_->mutex);
    return shared_->timeoutSeconds;
}

void InProcessConnection::sendString(const char* text, int length) {
    SessionId session;
    {
        std::lock_guard lock(shared_->mutex);
        if (!shared_->open || shared_->hungUp || !shared_->session) {
            throw SerialPortException("simulated instrument: port not open");
        }
        shared_->canceled = false;  // a send starts a new exchange
        session = *shared_->session;
    }
    instrument_.receive(session, std::string_view(text, length > 0 ? length : 0));
}

void InProcessConnection::recvString(std::string& line) {
    std::unique_lock lock(shared_->mutex);
    Shared& s = *shared_;
    if (!s.open || s.hungUp) {
        throw SerialPortException("simulated instrument: port not open");
    }
    const auto wait = s.waitOverride.value_or(std::chrono::seconds(s.timeoutSeconds));
    const auto deadline = Clock::now() + wait;
    const auto generation = s.cancelGeneration;
    while (true) {
        const auto now = Clock::now();
        while (!s.incoming.empty() && s.incoming.front().readyAt <= now) {
            s.pending += s.incoming.front().bytes;
            if (s.incoming.front().hangUp) {
                s.hungUp = true;
            }
            s.incoming.pop_front();
        }
        const auto end = s.pending.find('\n');
        if (end != std::string::npos) {
            std::size_t length = end;
            if (length > 0 && s.pending[length - 1] == '\r') {
                --length;
            }
            line = s.pending.substr(0, length);
            s.pending.erase(0, end + 1);
            return;
        }
        if (s.hungUp) {
            throw SerialPortException("simulated instrument: line dropped");
        }
        if (s.canceled || s.cancelGeneration != generation) {
            throw SerialPortException("simulated instrument: receive canceled");
        }
        if (!s.open) {
            throw SerialPortException("simulated instrument: port closed");
        }
        if (now >= deadline) {
            throw SerialPortException("simulated instrument: no reply in time");
        }
        auto until = deadline;
        if (!s.incoming.empty()) {
            until = std::min(until, s.incoming.front().readyAt);
        }
        s.arrived.wait_until(lock, until);
    }
}

void InProcessConnection::cancel() {
    std::lock_guard lock(shared_->mutex);
    shared_->canceled = true;
    ++shared_->cancelGeneration;
    shared_->arrived.notify_all();
}

bool InProcessConnection::isCanceled() {
    std::lock_guard lock(shared_->mutex);
    return shared_->canceled;
}

void InProcessConnection::setReceiveWaitOverride(std::optional<std::chrono::milliseconds> wait) {
    std::lock_guard lock(shared_->mutex);
    shared_->waitOverride = wait;
}

void InProcessConnection::setOpenFails(bool fails) {
    std::lock_guard lock(shared_->mutex);
    shared_->openFails = fails;
}

}  // namespace rx9100sim
