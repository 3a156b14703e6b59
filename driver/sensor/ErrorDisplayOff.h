#pragma once
// Error display switched off for the exchanges of a scope, and what it is afterwards:
// switched on (where the driver always shows errors again after a quiet exchange) or
// back as it was.
#include <atomic>

class ErrorDisplayOff {
  public:
    enum class Afterwards { SwitchOn, Restore };

    ErrorDisplayOff(std::atomic<bool>& errorVisible, Afterwards afterwards)
        : errorVisible_(errorVisible),
          afterwards_(afterwards == Afterwards::SwitchOn || errorVisible.load()) {
        errorVisible_ = false;
    }
    ~ErrorDisplayOff() { errorVisible_ = afterwards_; }
    ErrorDisplayOff(const ErrorDisplayOff&) = delete;
    ErrorDisplayOff& operator=(const ErrorDisplayOff&) = delete;

  private:
    std::atomic<bool>& errorVisible_;
    bool afterwards_;  // the state at the end of the scope
};
