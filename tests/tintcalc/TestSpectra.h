#pragma once
// Spectra on the instrument grid (380 to 780 nm, 1 nm) for the colour tests.
#include <cmath>
#include <vector>

#include "ciedata/CieTables.h"

namespace tintcalc::test {

inline constexpr int kCount = 401;

// Column 0 is illuminant A, 1 is D65, 2 is E.
inline std::vector<double> illuminant(int column) {
    std::vector<double> s;
    for (int nm = 380; nm <= 780; ++nm) {
        s.push_back(cie::kIlluminants.at(nm)[column]);
    }
    return s;
}

inline std::vector<double> planck(double kelvin) {
    std::vector<double> s;
    for (int nm = 380; nm <= 780; ++nm) {
        const double m = nm * 1e-9;
        s.push_back(1e-16 / (std::pow(m, 5) * std::expm1(1.4388e-2 / (m * kelvin))));
    }
    return s;
}

inline std::vector<double> line(int nm, double radiance = 1.0) {
    std::vector<double> s(kCount, 0.0);
    s[nm - 380] = radiance;
    return s;
}

}  // namespace tintcalc::test
