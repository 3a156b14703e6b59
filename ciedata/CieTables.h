#pragma once
// CIE colorimetric tables at 1 nm, embedded so that the libraries need no data files.
#include <array>
#include <vector>

namespace cie {

// Rows of three values (x̄ ȳ z̄, or illuminant A, D65, E) from firstNm in 1 nm steps.
struct SpectralTable {
    int firstNm;
    int count;
    std::vector<std::array<double, 3>> rows;

    int lastNm() const { return firstNm + count - 1; }
    // Row for a whole wavelength; the caller keeps nm inside [firstNm, lastNm()].
    const std::array<double, 3>& at(int nm) const { return rows[nm - firstNm]; }
};

// Colour-matching functions over 360 to 830 nm.
extern const SpectralTable kObserver2;   // CIE 1931 2°
extern const SpectralTable kObserver10;  // CIE 1964 10°
// Relative spectral power of illuminants A, D65 (100 at 560 nm) and E over 380 to 780 nm.
extern const SpectralTable kIlluminants;

struct RobertsonLine {
    double mired;
    double u;
    double v;
    double t;
};
extern const std::array<RobertsonLine, 31> kRobertson;

}  // namespace cie
