#include "tintcalc/SampleColorimetry.h"

#include <cmath>
#include <cstddef>
#include <utility>

namespace tintcalc {
namespace {

// Coarser sampling would miss the structure of line spectra between samples.
constexpr int kMaxPitchNm = 5;

}  // namespace

std::optional<SpectralGrid> SpectralGrid::fromSpectrum(const std::vector<double>& values, int pitch,
                                                       int shortNm, int longNm) {
    if (pitch == 0 && shortNm == 0 && longNm == 0) {
        pitch = 1;
        shortNm = kSampleFirstNm;
        longNm = kSampleLastNm;
    }
    const long long span = static_cast<long long>(longNm) - shortNm;
    if (values.empty() || pitch <= 0 || pitch > kMaxPitchNm || span < 0 || span % pitch != 0 ||
        static_cast<std::size_t>(span / pitch) + 1 != values.size() || shortNm > kSampleFirstNm ||
        longNm < kSampleLastNm) {
        return std::nullopt;
    }
    SpectralGrid grid;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!std::isfinite(values[i])) {
            return std::nullopt;
        }
        const long long nm = shortNm + static_cast<long long>(i) * pitch;
        if (nm >= kSampleFirstNm && nm <= kSampleLastNm) {
            grid.offsets.push_back(static_cast<int>(nm - kSampleFirstNm));
            grid.power.push_back(values[i]);
        }
    }
    return grid;
}

std::vector<double> SpectralGrid::resample(const std::vector<double>& power1nm) const {
    std::vector<double> out;
    out.reserve(offsets.size());
    for (int offset : offsets) {
        out.push_back(power1nm[offset]);
    }
    return out;
}

std::optional<SampleColours> sampleColours(const SpectralGrid& grid,
                                           const std::vector<double>& power,
                                           const ReflectanceSet& samples,
                                           const cie::SpectralTable& cmf) {
    const std::size_t n = grid.offsets.size();
    // The light weighted by each colour-matching function, once for all samples.
    std::vector<double> wx(n), wy(n), wz(n);
    Xyz white;
    for (std::size_t k = 0; k < n; ++k) {
        const auto& row = cmf.at(kSampleFirstNm + grid.offsets[k]);
        wx[k] = power[k] * row[0];
        wy[k] = power[k] * row[1];
        wz[k] = power[k] * row[2];
        white.X += wx[k];
        white.Y += wy[k];
        white.Z += wz[k];
    }
    if (!(white.Y > 0.0) || !std::isfinite(white.Y)) {
        return std::nullopt;
    }
    const double scale = 100.0 / white.Y;
    SampleColours out;
    out.white = {white.X * scale, 100.0, white.Z * scale};
    out.samples.reserve(samples.count());
    for (std::size_t i = 0; i < samples.count(); ++i) {
        const double* reflectance = samples.sample(i);
        Xyz c;
        for (std::size_t k = 0; k < n; ++k) {
            const double r = reflectance[grid.offsets[k]];
            c.X += r * wx[k];
            c.Y += r * wy[k];
            c.Z += r * wz[k];
        }
        out.samples.push_back({c.X * scale, c.Y * scale, c.Z * scale});
    }
    return out;
}

std::optional<ComparedColours> compareWithReference(const SpectralGrid& light,
                                                    const ReferenceSpectrum& reference,
                                                    const ReflectanceSet& samples,
                                                    const cie::SpectralTable& cmf) {
    auto test = sampleColours(light, light.power, samples, cmf);
    auto ref = sampleColours(light, light.resample(reference.power), samples, cmf);
    if (!test || !ref) {
        return std::nullopt;
    }
    return ComparedColours{std::move(*test), std::move(*ref)};
}

}  // namespace tintcalc
