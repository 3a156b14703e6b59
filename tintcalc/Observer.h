#pragma once
// The two CIE standard observers and the wavelength range the colour values are computed over.
#include "ciedata/CieTables.h"

namespace tintcalc {

enum class Observer { Cie1931, Cie1964 };

// 2 (and the instrument's code 1) is the 1931 2° observer, 10 (and 11) the 1964 10°
// observer; anything else falls back to 2°, as the instrument does.
Observer observerFromCode(int code);

// Colour-matching functions at 1 nm over 360 to 830 nm.
const cie::SpectralTable& colourMatching(Observer observer);

// The instrument measures 380 to 780 nm; the Planckian locus and the spectral locus are
// computed over the same range so that a measured thermal radiator keeps its temperature.
inline constexpr int kRangeShortNm = 380;
inline constexpr int kRangeLongNm = 780;

// Luminous efficacy of radiation at 555 nm, lm/W; used for the 10° observer too, so that
// Y10 keeps the scale of a luminance.
inline constexpr double kKm = 683.0;

}  // namespace tintcalc
