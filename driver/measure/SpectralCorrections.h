#pragma once
// The user-calibration corrections of a spectral vector (401 values, 380 to 780 nm),
// in place.
#include <vector>

namespace corrections {

inline constexpr std::size_t kPoints = 401;

// Value i (0 to 399) becomes the measured spectrum read at wavelengths[i] nm, linearly
// between its two neighbouring points; value 400 stays. A wavelength below 380 nm reads
// the value at 380 nm, one at 780 nm or above the value at 780 nm: nothing is
// extrapolated. False, with the values unchanged, when a wavelength is not a number.
bool resampleWavelength(std::vector<double>& values, const double* wavelengths);

// Value i times factor i.
void multiply(std::vector<double>& values, const double* factors);

}  // namespace corrections
