#pragma once
// Tristimulus values of the test samples lit by a light, on the wavelengths a measured
// spectrum provides between 380 and 780 nm. Shared by both rendition metrics.
#include <optional>
#include <vector>

#include "ciedata/CieTables.h"
#include "tintcalc/Cam02Ucs.h"
#include "tintcalc/ReferenceIlluminant.h"
#include "tintcalc/RenditionSamples.h"

namespace tintcalc {

// The test light on the wavelengths it was sampled at, restricted to 380..780 nm.
struct SpectralGrid {
    std::vector<int> offsets;   // wavelength - 380 nm of each point
    std::vector<double> power;  // the light's value there

    // A spectrum on shortNm, shortNm + pitch, ..., longNm; empty unless the grid is valid,
    // covers 380..780 nm at a pitch of at most 5 nm and every value is finite.
    static std::optional<SpectralGrid> fromSpectrum(const std::vector<double>& values, int pitch,
                                                    int shortNm, int longNm);

    // Another light (1 nm, 380..780 nm) read on the same wavelengths.
    std::vector<double> resample(const std::vector<double>& power1nm) const;
};

struct SampleColours {
    Xyz white;                 // the light itself, Y = 100
    std::vector<Xyz> samples;  // each sample under it, on the same scale
};

// Colours under `power` (values on grid.offsets) with the given colour-matching functions;
// empty when the light has no luminance (Y <= 0).
std::optional<SampleColours> sampleColours(const SpectralGrid& grid,
                                           const std::vector<double>& power,
                                           const ReflectanceSet& samples,
                                           const cie::SpectralTable& cmf);

// The samples under the light and under its reference, both with the same observer.
struct ComparedColours {
    SampleColours test;
    SampleColours reference;
};
std::optional<ComparedColours> compareWithReference(const SpectralGrid& light,
                                                    const ReferenceSpectrum& reference,
                                                    const ReflectanceSet& samples,
                                                    const cie::SpectralTable& cmf);

}  // namespace tintcalc
