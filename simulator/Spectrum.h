#pragma once
// Light sources the simulated instrument looks at, and the photometry needed to
// scale them to a luminance.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rx9100sim {

constexpr int kPoints = 401;  // 380 to 780 nm at 1 nm
constexpr int kFirstNm = 380;
using Spectrum = std::array<double, kPoints>;

// An emission line as the instrument sees it: a symmetric peak of the instrument's
// bandwidth centred on the line, so that a centroid over the peak finds the line.
struct EmissionLine {
    double nm = 0;
    double strength = 1.0;  // peak height relative to the other lines
    bool operator==(const EmissionLine&) const = default;
};
constexpr double kLineBandwidthNm = 4.0;  // full width at half maximum of every peak
// The continuum under the peaks, relative to the strongest peak.
constexpr double kLineBackground = 0.0005;
constexpr std::size_t kMaxLines = 40;
// The mercury and argon lines of a calibration lamp (404.656 to 763.511 nm).
const std::vector<EmissionLine>& mercuryArgonLines();

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
        DisplayWhite,
        Lines
    };
    Kind kind = Kind::D65;
    double temperatureK = 2856.0;  // Planck
    double peakNm = 530.0;         // Led
    double fwhmNm = 30.0;          // Led
    std::vector<EmissionLine> lines;

    // "a", "d65", "e", "planck:3000", "led:530[:30]", "red", "green", "blue", "white",
    // "lines:HG" (mercury and argon) or "lines:NM,NM,..." (equal peaks, 380 to 780 nm).
    static std::optional<LightSource> parse(std::string_view text);
    std::string describe() const;
};

// Relative spectral radiance of the source (arbitrary scale) at any wavelength, and at the
// 401 nominal wavelengths.
double relativeAt(const LightSource& source, double nm);
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
