#include "measure/SpectralCorrections.h"

#include <cmath>

namespace corrections {

namespace {

constexpr double kFirstWavelength = 380.0;
constexpr double kLastPosition = static_cast<double>(kPoints - 1);

}  // namespace

bool resampleWavelength(std::vector<double>& values, const double* wavelengths) {
    for (std::size_t i = 0; i + 1 < kPoints; ++i) {
        if (!std::isfinite(wavelengths[i])) {
            return false;
        }
    }
    const std::vector<double> measured = values;
    for (std::size_t i = 0; i + 1 < kPoints; ++i) {
        const double position = wavelengths[i] - kFirstWavelength;
        if (position <= 0.0) {
            values[i] = measured.front();
        } else if (position >= kLastPosition) {
            values[i] = measured.back();
        } else {
            const auto k = static_cast<std::size_t>(position);
            const double f = position - static_cast<double>(k);
            values[i] = measured[k] + (measured[k + 1] - measured[k]) * f;
        }
    }
    return true;
}

void multiply(std::vector<double>& values, const double* factors) {
    for (std::size_t i = 0; i < kPoints; ++i) {
        values[i] *= factors[i];
    }
}

}  // namespace corrections
