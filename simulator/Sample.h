#pragma once
// Samples put in front of the instrument for reflectance and transmittance measurements.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rx9100sim {

// A sample's spectral reflectance, or its transmittance when the light passes through it:
// the instrument reads the source's light times this factor. "none" is the source itself
// (for transmittance, the empty holder).
struct Sample {
    enum class Kind { None, White, Grey, Red, Cyan };
    Kind kind = Kind::None;
    double greyFactor = kDefaultGrey;  // Grey only

    static constexpr double kDefaultGrey = 0.5;

    // "none", "white", "grey" (50 %), "grey:R" (R from 0.01 to 1), "red", "cyan"; any case.
    static std::optional<Sample> parse(std::string_view text);
    // Names separated by commas; nullopt with the reason in error.
    static std::optional<std::vector<Sample>> parseList(std::string_view text, std::string* error);
    std::string describe() const;
    // Reflectance (transmittance) at a wavelength in nm.
    double factorAt(double nm) const;
    bool operator==(const Sample&) const = default;
};

extern const char* const kSampleNames;  // for help texts

}  // namespace rx9100sim
