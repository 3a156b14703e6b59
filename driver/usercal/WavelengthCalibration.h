#pragma once
// The wavelength calibration's arithmetic: a marked line's centroid on the measured
// spectrum, and the channel's 401-entry wavelength table through the (centroid, reference)
// pairs of the checked rows, with the checks that refuse a table.
#include <array>
#include <optional>
#include <vector>

namespace usercal {

inline constexpr int kFirstNm = 380;
inline constexpr int kLastNm = 780;
inline constexpr int kEntries = kLastNm - kFirstNm + 1;
// A table entry may differ from its nominal wavelength by this much (nm), and no more.
inline constexpr double kLargestCorrection = 2.0;
// Where an entry is held, extrapolation included.
inline constexpr double kLowestEntry = 378.0;
inline constexpr double kHighestEntry = 782.0;

using WavelengthTable = std::array<double, kEntries>;

// Centroid (nm) of spectrum (401 values from 380 nm) over [startNm, endNm], both ends
// included: 380 + sum(i * s[i]) / sum(s[i]). Nothing for a range outside 380..780, an
// empty range, a spectrum of another length or a zero sum.
std::optional<double> lineCentroid(const std::vector<double>& spectrum, int startNm, int endNm);

struct LinePair {
    double centroid;   // nm, as the dialog shows it (two decimals)
    double reference;  // nm, the line's true wavelength
};

// The table T(380) ... T(780) through the pairs (in row order); nothing when a centroid
// lies outside 380..780 or repeats, the references do not increase with the centroids,
// an entry needs a correction over 2.0 nm, or the entries do not increase (equal
// neighbours are allowed only at exactly 380.0 or 780.0). At least one pair is needed.
std::optional<WavelengthTable> wavelengthTable(const std::vector<LinePair>& pairs);

}  // namespace usercal
