// The fidelity and gamut indices: the 99 colour evaluation samples under the light and under
// the reference, in CAM02-UCS with each light as its own adapted white.
#include <cmath>
#include <cstddef>
#include <numbers>

#include "tintcalc/RenditionMetrics.h"

namespace tintcalc {
namespace {

// Scales a mean colour difference to the 0..100 fidelity scale.
constexpr double kFidelityScale = 6.73;
constexpr double kBinDegrees = 360.0 / kHueBinCount;

// The fidelity index of a (mean) colour difference: 100 - 6.73 dE, bent smoothly to stay
// positive.
double fidelityOf(double difference) {
    return 10.0 * std::log1p(std::exp((100.0 - kFidelityScale * difference) / 10.0));
}

int hueBinOf(const Cam02UcsColour& c) {
    double degrees = std::atan2(c.b, c.a) * 180.0 / std::numbers::pi;
    if (degrees < 0.0) {
        degrees += 360.0;
    }
    const int bin = static_cast<int>(degrees / kBinDegrees);
    return bin < kHueBinCount ? bin : kHueBinCount - 1;
}

// Area of the polygon through the points in order (shoelace formula).
template <typename X, typename Y>
double polygonArea(const std::array<HueBin, kHueBinCount>& bins, X x, Y y) {
    double twice = 0.0;
    for (int j = 0; j < kHueBinCount; ++j) {
        const HueBin& p = bins[j];
        const HueBin& q = bins[(j + 1) % kHueBinCount];
        twice += x(p) * y(q) - x(q) * y(p);
    }
    return twice / 2.0;
}

}  // namespace

void computeFidelityAndGamut(const SpectralGrid& light, double cct, RenditionResult& out) {
    const ReferenceSpectrum reference = fidelityReference(cct);
    const ReflectanceSet& samples = colourEvaluationSamples();
    const auto colours = compareWithReference(light, reference, samples, cie::kObserver10);
    if (!colours) {
        return;
    }
    const SampleColours& test = colours->test;
    const SampleColours& ref = colours->reference;
    const Cam02Ucs testSpace(test.white);
    const Cam02Ucs referenceSpace(ref.white);

    struct Sums {
        double difference = 0.0, ta = 0.0, tb = 0.0, ra = 0.0, rb = 0.0;
        int count = 0;
    };
    std::array<Sums, kHueBinCount> sums{};
    double differenceSum = 0.0;
    for (std::size_t i = 0; i < samples.count(); ++i) {
        const Cam02UcsColour t = testSpace(test.samples[i]);
        const Cam02UcsColour r = referenceSpace(ref.samples[i]);
        const double difference = std::sqrt((t.j - r.j) * (t.j - r.j) + (t.a - r.a) * (t.a - r.a) +
                                            (t.b - r.b) * (t.b - r.b));
        out.rfSample[i] = fidelityOf(difference);
        differenceSum += difference;
        Sums& bin = sums[hueBinOf(r)];
        bin.difference += difference;
        bin.ta += t.a;
        bin.tb += t.b;
        bin.ra += r.a;
        bin.rb += r.b;
        ++bin.count;
    }
    out.rf = fidelityOf(differenceSum / static_cast<double>(samples.count()));
    out.fidelityReference = reference.kind;

    bool everyBinFilled = true;
    for (int j = 0; j < kHueBinCount; ++j) {
        const Sums& s = sums[j];
        HueBin& bin = out.hueBins[j];
        bin.sampleCount = s.count;
        if (s.count == 0) {
            everyBinFilled = false;
            continue;
        }
        bin.fidelity = fidelityOf(s.difference / s.count);
        bin.testA = s.ta / s.count;
        bin.testB = s.tb / s.count;
        bin.referenceA = s.ra / s.count;
        bin.referenceB = s.rb / s.count;
        // Shifts are measured along and across the bin's centre hue, relative to the
        // reference chroma of the bin.
        const double centre = (j + 0.5) * kBinDegrees * std::numbers::pi / 180.0;
        const double da = bin.testA - bin.referenceA, db = bin.testB - bin.referenceB;
        const double chroma = std::hypot(bin.referenceA, bin.referenceB);
        if (chroma > 0.0) {
            bin.chromaShiftPercent =
                100.0 * (da * std::cos(centre) + db * std::sin(centre)) / chroma;
            bin.hueShift = (-da * std::sin(centre) + db * std::cos(centre)) / chroma;
        }
    }
    if (everyBinFilled) {
        const double referenceArea = polygonArea(
            out.hueBins, [](const HueBin& b) { return b.referenceA; },
            [](const HueBin& b) { return b.referenceB; });
        const double testArea = polygonArea(
            out.hueBins, [](const HueBin& b) { return b.testA; },
            [](const HueBin& b) { return b.testB; });
        if (referenceArea > 0.0) {
            out.rg = 100.0 * testArea / referenceArea;
        }
    }
}

}  // namespace tintcalc
