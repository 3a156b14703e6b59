#pragma once
// Colour values of a light: tristimulus values, chromaticities, correlated colour temperature,
// dominant wavelength. The plain interface for hosts; CalculateColorControl builds on it.
#include <vector>

namespace tintcalc {

// A value that cannot be computed: the largest single-precision number, which the dialogs
// show as "------". Results are never NaN or infinite.
inline constexpr double kUndefined = 3.4028234663852886e38;

inline bool isDefined(double value) {
    return value != kUndefined;
}

struct ColorResult {
    double X = kUndefined;
    double Y = kUndefined;
    double Z = kUndefined;
    double Lv = kUndefined;  // cd/m² for spectral radiance in W/(sr·m²·nm); equals Y
    double x = kUndefined;
    double y = kUndefined;
    double u = kUndefined;  // CIE 1960 UCS
    double v = kUndefined;
    double uPrime = kUndefined;  // CIE 1976 UCS
    double vPrime = kUndefined;
    double cct = kUndefined;  // K, 1000 to 100000
    double duv = kUndefined;
    // nm; for a purple the complementary wavelength as a negative number, with
    // complementary set
    double dominantWavelength = kUndefined;
    bool complementary = false;
    double purity = kUndefined;  // excitation purity, 0 at the equal-energy white
};

// Spectrum sampled at shortNm, shortNm + pitch, ..., longNm (values.size() must match);
// pitch, shortNm and longNm all 0 stand for the instrument's 1 nm grid from 380 to 780 nm.
// observer: 2 for CIE 1931 2°, 10 for CIE 1964 10° (see observerFromCode).
ColorResult computeSpectrum(const std::vector<double>& values, int pitch, int shortNm, int longNm,
                            int observer);

// A colorimetric record: luminance and chromaticity in the given observer's system.
ColorResult computeLvxy(double Lv, double x, double y, int observer);

ColorResult computeXyz(double X, double Y, double Z, int observer);

}  // namespace tintcalc
