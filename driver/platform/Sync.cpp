#include "platform/Sync.h"

namespace platform {

void AutoResetEvent::set() {
    // Notified under the lock: the woken waiter may destroy the event as soon as
    // it returns, so the signaller must be done with it by then.
    std::lock_guard lock(mutex_);
    signalled_ = true;
    changed_.notify_one();
}

void AutoResetEvent::reset() {
    std::lock_guard lock(mutex_);
    signalled_ = false;
}

void AutoResetEvent::wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return signalled_; });
    signalled_ = false;
}

bool AutoResetEvent::waitFor(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, timeout, [this] { return signalled_; })) {
        return false;
    }
    signalled_ = false;
    return true;
}

void CriticalSection::enter() {
    std::unique_lock lock(mutex_);
    auto self = std::this_thread::get_id();
    released_.wait(lock, [&] { return depth_ == 0 || owner_ == self; });
    owner_ = self;
    ++depth_;
}

bool CriticalSection::tryEnter() {
    std::lock_guard lock(mutex_);
    auto self = std::this_thread::get_id();
    if (depth_ != 0 && owner_ != self) {
        return false;
    }
    owner_ = self;
    ++depth_;
    return true;
}

bool CriticalSection::leave() {
    std::lock_guard lock(mutex_);
    if (depth_ == 0 || owner_ != std::this_thread::get_id()) {
        return false;
    }
    if (--depth_ == 0) {
        owner_ = std::thread::id();
        released_.notify_all();
    }
    return true;
}

bool CriticalSection::heldByCurrentThread() {
    std::lock_guard lock(mutex_);
    return depth_ != 0 && owner_ == std::this_thread::get_id();
}

}  // namespace platform
