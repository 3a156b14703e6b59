#include "simulator/SettingParsers.h"

#include "simulator/HexFloat.h"
#include "simulator/MeasurementModel.h"
#include "simulator/Memory.h"

namespace rx9100sim {
namespace {

std::optional<double> inRange(std::string_view text, double low, double high,
                              const std::string& rule, std::string* error) {
    const auto v = parseDecimal(text);
    if (v && *v >= low && *v <= high) {
        return v;
    }
    if (error) {
        *error = rule + " (not \"" + std::string(text) + "\")";
    }
    return std::nullopt;
}

}  // namespace

std::optional<double> parseWavelengthError(std::string_view text, std::string* error) {
    return inRange(text, -kMaxWavelengthErrorNm, kMaxWavelengthErrorNm,
                   "the wavelength error is a number of nm from -" +
                       toFixed(kMaxWavelengthErrorNm, 0) + " to " +
                       toFixed(kMaxWavelengthErrorNm, 0),
                   error);
}

std::optional<double> parseLevelError(std::string_view text, std::string* error) {
    return inRange(text, -kMaxLevelTilt, kMaxLevelTilt,
                   "the level error is a number from -" + toFixed(kMaxLevelTilt, 1) + " to " +
                       toFixed(kMaxLevelTilt, 1),
                   error);
}

std::optional<int> parseStoredCount(std::string_view text, std::string* error) {
    const auto v = parseInteger(text);
    if (v && *v >= 0 && *v <= kSamples) {
        return static_cast<int>(*v);
    }
    if (error) {
        *error = "the number of stored samples is a whole number from 0 to " +
                 std::to_string(kSamples) + " (not \"" + std::string(text) + "\")";
    }
    return std::nullopt;
}

std::optional<double> parseNonNegative(std::string_view text, std::string_view what,
                                       std::string* error) {
    return inRange(text, 0.0, 1e300, std::string(what) + " is a number from 0 on", error);
}

}  // namespace rx9100sim
