#pragma once
// Who the simulated instrument says it is.
#include <string>

namespace rx9100sim {

struct Identity {
    int variation = 0;  // 0 or 1 standard model, 2 low-luminance model
    std::string bodyNumber = "1000001";
    std::string romVersion = "1.10";  // "1.00", "1.09", "1.10", "1.20", ...

    // ROM version × 100 (1.10 gives 110); the wire layouts change from 110 on.
    int firmwareLevel() const;
    bool lowLuminanceModel() const { return variation == 2; }
};

}  // namespace rx9100sim
