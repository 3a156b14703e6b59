#pragma once
// Published tables the colour rendition metrics need, embedded so that the libraries need no
// data files: the test samples' spectral reflectances, the CIE daylight components and, for
// checking the metrics, the CIE fluorescent illuminants. All at 5 nm from 380 to 780 nm, as
// published; README.md names the sources.
#include <array>
#include <cstddef>

namespace cie {

inline constexpr int kRenditionFirstNm = 380;
inline constexpr int kRenditionStepNm = 5;
inline constexpr int kRenditionRows = 81;  // 380, 385, ..., 780 nm

template <std::size_t Columns>
using FiveNmTable = std::array<std::array<double, Columns>, kRenditionRows>;

// CIE 13.3-1995 test colour samples 1 to 14, spectral radiance factors.
extern const FiveNmTable<14> kCriTestSamples;
// CIE 224:2017 / ANSI/IES TM-30 colour evaluation samples 1 to 99, spectral reflectances.
extern const FiveNmTable<99> kColourEvaluationSamples;
// Components S0, S1, S2 of the CIE daylight illuminants.
extern const FiveNmTable<3> kDaylightBasis;
// CIE illuminants FL1 to FL12, relative spectral power (test material for the metrics).
extern const FiveNmTable<12> kFluorescentIlluminants;

}  // namespace cie
