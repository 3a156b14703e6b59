#pragma once
// Measured values must be numbers: a spectrum holding NaN or infinity is invalid.
#include <algorithm>
#include <cmath>
#include <vector>

inline bool allFinite(const std::vector<double>& values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}
