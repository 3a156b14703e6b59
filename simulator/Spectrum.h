#pragma once
// Light sources the simulated instrument looks at, and the photometry needed to
// scale them to a luminance.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace rx9100sim {

constexpr int kPoints = 401;  // 380 to 780 nm at 1 nm
constexpr int kFirstNm = 380;
using Spectrum = std::array<double, kPoints>;

struct LightSource {
    enum class Kind {
        IlluminantA,
        D65,
        E,
        Planck,
        Led,
        DisplayRed,
        DisplayGreen,
        DisplayBlue,
        DisplayWhite
    };
    Kind kind = Kind::D65;
    double temperatureK = 2856.0;  // Planck
    double peakNm = 530.0;         // Led
    double fwhmNm = 30.0;          // Led

    // "a", "d65", "e", "planck:3000", "led:530[:30]", "red", "green", "blue", "white".
    static std::optional<LightSource> parse(std::string_view text);
    std::string describe() const;
};

// Relative spectral radiance of the source (arbitrary scale).
Spectrum relativeSpectrum(const LightSource& source);
// Photopic luminance in cd/m² of a spectral radiance in W/(sr·m²·nm): 683 Σ L ȳ (2°).
double luminanceOf(const Spectrum& radiance);
// The source's spectral radiance at the given luminance.
Spectrum radianceAt(const LightSource& source, double luminance);

struct ColourValues {
    double lv = 0;  // cd/m²
    double x = 0;
    double y = 0;
};
// Luminance and chromaticity for the 2° or the 10° observer.
ColourValues colourOf(const Spectrum& radiance, bool tenDegree);

}  // namespace rx9100sim
