#pragma once
// The simulator's numeric settings as people type them, for the options of rx9100-sim and of
// the command-line host and for the control commands: each parser returns the value, or
// nullopt with a sentence saying what is allowed. NaN and infinities are never allowed.
#include <optional>
#include <string>
#include <string_view>

namespace rx9100sim {

std::optional<double> parseWavelengthError(std::string_view text, std::string* error);
std::optional<double> parseLevelError(std::string_view text, std::string* error);
// Number of generated samples (and targets, up to 20) for the stored-data fill.
std::optional<int> parseStoredCount(std::string_view text, std::string* error);
// Luminance, noise, seconds: any finite number from 0 on.
std::optional<double> parseNonNegative(std::string_view text, std::string_view what,
                                       std::string* error);

}  // namespace rx9100sim
