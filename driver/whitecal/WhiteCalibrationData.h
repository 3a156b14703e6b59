#pragma once
// One white calibration, held only in memory.
#include <vector>

inline constexpr int kSpectralPoints = 401;

struct WhiteCalibrationData {
    std::vector<double> standardData = std::vector<double>(kSpectralPoints, 1.0);
    std::vector<double> coefficient = std::vector<double>(kSpectralPoints, 1.0);
    bool valid = false;
};
