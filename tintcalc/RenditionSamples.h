#pragma once
// The published 5 nm tables the rendition metrics use, brought to the instrument's 1 nm grid
// from 380 to 780 nm: sample reflectances by Sprague interpolation, the daylight components
// linearly. Built once, on first use.
#include <array>
#include <cstddef>
#include <vector>

namespace tintcalc {

inline constexpr int kSampleFirstNm = 380;
inline constexpr int kSampleLastNm = 780;
inline constexpr int kSamplePoints = kSampleLastNm - kSampleFirstNm + 1;

// Values of a table with equal steps at `factor` times finer steps, by Sprague's fifth-order
// polynomial through six neighbours (the CIE's recommendation for 5 nm data). The table is
// continued flat beyond its ends, as the sample tables are published. Returns
// (size - 1) * factor + 1 values; the table's own values are kept exactly.
std::vector<double> spragueInterpolate(const std::vector<double>& table, int factor);

// Reflectances of a sample set at 1 nm, 380 to 780 nm, one row of kSamplePoints per sample.
class ReflectanceSet {
  public:
    explicit ReflectanceSet(std::size_t count) : count_(count), values_(count * kSamplePoints) {}

    std::size_t count() const { return count_; }
    const double* sample(std::size_t i) const { return &values_[i * kSamplePoints]; }
    double* sample(std::size_t i) { return &values_[i * kSamplePoints]; }

  private:
    std::size_t count_;
    std::vector<double> values_;
};

// The 14 test colour samples of the colour rendering index.
const ReflectanceSet& criTestSamples();
// The 99 colour evaluation samples of the fidelity and gamut indices.
const ReflectanceSet& colourEvaluationSamples();
// CIE daylight components S0, S1, S2 at 1 nm, 380 to 780 nm.
const std::array<std::vector<double>, 3>& daylightComponents();

}  // namespace tintcalc
