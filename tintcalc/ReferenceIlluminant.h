#pragma once
// Reference illuminants of the rendition metrics, as relative spectral power at 1 nm from
// 380 to 780 nm (kSamplePoints values).
#include <vector>

#include "tintcalc/Rendition.h"

namespace tintcalc {

struct ReferenceSpectrum {
    ReferenceIlluminant kind = ReferenceIlluminant::None;
    std::vector<double> power;  // 380..780 nm at 1 nm
};

// Planck's law with c2 = 1.4388e-2 m·K, in arbitrary units.
std::vector<double> planckianSpectrum(double kelvin);

// The CIE daylight illuminant whose chromaticity follows from the correlated colour
// temperature by the CIE daylight locus (the 7000-25000 K branch is used above 7000 K).
std::vector<double> daylightSpectrum(double kelvin);

// Colour rendering index: a blackbody below 5000 K, daylight from 5000 K.
ReferenceSpectrum criReference(double kelvin);

// Fidelity and gamut: a blackbody below 4000 K, daylight from 5000 K, and in between both,
// each scaled to the same Y10, mixed with weight (kelvin - 4000) / 1000 on daylight.
ReferenceSpectrum fidelityReference(double kelvin);

}  // namespace tintcalc
