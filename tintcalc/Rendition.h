#pragma once
// Colour rendition of a light source from its spectrum: the CIE colour rendering index (CIE
// 13.3: Ra and R1..R14) and the fidelity and gamut indices of CIE 224 / ANSI/IES TM-30 (Rf,
// Rg and the 16 hue bins behind the colour vector graphic). The plain interface for hosts.
#include <array>
#include <vector>

#include "tintcalc/Colorimetry.h"

namespace tintcalc {

inline constexpr int kCriSampleCount = 14;
inline constexpr int kColourEvaluationSampleCount = 99;
inline constexpr int kHueBinCount = 16;

// Farthest the light may lie from its reference illuminant in the CIE 1960 (u, v) plane for
// the colour rendering index to be meaningful.
inline constexpr double kCriReliableDistance = 5.4e-3;

// The light that the test light is compared with, chosen by its correlated colour temperature.
enum class ReferenceIlluminant {
    None,       // no temperature, no comparison
    Planckian,  // a blackbody of the same temperature
    Daylight,   // the CIE daylight illuminant of the same temperature
    Blend,      // CIE 224 / TM-30 between 4000 and 5000 K: both, mixed linearly in temperature
};

// One of the 16 hue bins of 22.5° in CAM02-UCS, bin j (0-based) holding the samples whose hue
// under the reference lies in [22.5 j, 22.5 (j + 1))°.
struct HueBin {
    int sampleCount = 0;
    double fidelity = kUndefined;            // Rf,hj: local fidelity of the bin's samples
    double chromaShiftPercent = kUndefined;  // Rcs,hj: chroma change along the bin's centre hue
    double hueShift = kUndefined;            // Rhs,hj: hue change across it, radians
    // Mean CAM02-UCS coordinates of the bin's samples under the test light and the reference:
    // the arrow of the colour vector graphic runs from reference to test.
    double testA = kUndefined;
    double testB = kUndefined;
    double referenceA = kUndefined;
    double referenceB = kUndefined;
};

template <std::size_t N>
constexpr std::array<double, N> undefinedValues() {
    std::array<double, N> a{};
    a.fill(kUndefined);
    return a;
}

// Every value is kUndefined when it cannot be computed (see computeRendition); never NaN.
struct RenditionResult {
    // The test light (CIE 1931 2° observer, 380 to 780 nm). Both references have this
    // correlated colour temperature.
    double cct = kUndefined;  // K
    double duv = kUndefined;

    // CIE 13.3 colour rendering index.
    ReferenceIlluminant criReference = ReferenceIlluminant::None;
    double ra = kUndefined;                                         // mean of R1..R8
    std::array<double, kCriSampleCount> r = undefinedValues<14>();  // r[0] is R1, r[13] R14
    // Distance from the reference's chromaticity in (u, v); equals |duv| below 5000 K.
    double dc = kUndefined;
    bool criReliable = false;  // dc <= kCriReliableDistance

    // CIE 224 / ANSI/IES TM-30 fidelity and gamut.
    ReferenceIlluminant fidelityReference = ReferenceIlluminant::None;
    double rf = kUndefined;
    double rg = kUndefined;
    std::array<double, kColourEvaluationSampleCount> rfSample = undefinedValues<99>();  // Rf,CESi
    std::array<HueBin, kHueBinCount> hueBins{};
};

// Spectrum sampled at shortNm, shortNm + pitch, ..., longNm (values.size() must match), as for
// computeSpectrum; pitch, shortNm and longNm all 0 stand for the instrument's 1 nm grid from
// 380 to 780 nm. The grid must cover 380 to 780 nm with a pitch of at most 5 nm; samples
// outside that range do not count. Everything is undefined for an invalid or coarser grid,
// a non-finite value, no light, or a light without a correlated colour temperature.
RenditionResult computeRendition(const std::vector<double>& values, int pitch, int shortNm,
                                 int longNm);

}  // namespace tintcalc
