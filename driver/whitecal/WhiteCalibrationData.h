#pragma once
// One white calibration, held only in memory.
#include <string>
#include <vector>

inline constexpr int kSpectralPoints = 401;

struct WhiteCalibrationData {
    std::vector<double> standardData = std::vector<double>(kSpectralPoints, 1.0);
    std::vector<double> coefficient = std::vector<double>(kSpectralPoints, 1.0);
    bool valid = false;

    // Reads the white standard's 401 values (380 to 780 nm) from a data file into
    // standardData: one number per line, surrounding double quotes trimmed, read as the
    // "C" locale reads them; lines after the 401st are ignored. False, with standardData
    // unchanged, when the file cannot be opened or ends early.
    bool load(const std::string& path);
};
