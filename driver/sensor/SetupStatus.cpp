#include "sensor/SetupStatus.h"

#include <chrono>

CTime CTime::GetCurrentTime() {
    return CTime(std::chrono::duration_cast<std::chrono::seconds>(
                     std::chrono::system_clock::now().time_since_epoch())
                     .count());
}

void SetupStatus::clearStatus() {
    SetupStatus defaults;
    defaults.measurementTime_ = measurementTime_;
    defaults.integralTime_ = integralTime_;
    *this = defaults;
}
