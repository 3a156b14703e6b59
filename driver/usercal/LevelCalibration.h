#pragma once
// The level calibration's arithmetic, and the files of 401 values, one per line from 380 nm,
// that hold a reference spectrum (".lrv") or a stored measurement (the debug load).
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "usercal/WavelengthCalibration.h"

namespace usercal {

inline constexpr double kSmallestFactor = 0.001;
inline constexpr double kLargestFactor = 1000.0;
inline constexpr const char* kReferenceExtension = "lrv";

using LevelTable = std::array<double, kEntries>;

// reference / measured for each of the 401 entries, held within 0.001..1000; a measured 0
// (or a quotient that is no number) gives 0.001. Nothing unless both have 401 values.
std::optional<LevelTable> levelFactors(const std::vector<double>& reference,
                                       const std::vector<double>& measured);

// The first 401 lines of the file as numbers (read as the "C" locale reads them, a line
// that is no number reads as 0; later lines are ignored); nothing when the file cannot be
// read or ends before 401 lines.
std::optional<std::vector<double>> readLineValues(const std::string& path);
// The values, one per line as "%.3e" in the "C" locale; false when the file cannot be
// written completely.
bool writeLineValues(const std::string& path, const std::vector<double>& values);

}  // namespace usercal
