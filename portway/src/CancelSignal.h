#pragma once
// The cancel request another thread raises against a waiting receive. The
// eventfd is readable exactly while the request stands, so a receive can wait
// on it together with the port in one poll.
#include <atomic>
#include <mutex>

#include "UniqueFd.h"

namespace portway {

class CancelSignal {
  public:
    CancelSignal();

    void raise();
    void clear();
    bool raised() const { return raised_.load(std::memory_order_acquire); }
    int fd() const { return event_.get(); }

  private:
    std::mutex mutex_;  // keeps flag and eventfd in step
    std::atomic<bool> raised_{false};
    UniqueFd event_;
};

}  // namespace portway
