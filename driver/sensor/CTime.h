#pragma once
#include <cstdint>

#include "platform/Export.h"

// A point in time as seconds since 1970 (64-bit).
class RX9100_API CTime {
  public:
    CTime() = default;
    CTime(std::int64_t seconds) : seconds_(seconds) {}  // NOLINT: converts like the framework type
    std::int64_t GetTime() const { return seconds_; }
    static CTime GetCurrentTime();
    friend bool operator==(const CTime&, const CTime&) = default;

  private:
    std::int64_t seconds_ = 0;
};
