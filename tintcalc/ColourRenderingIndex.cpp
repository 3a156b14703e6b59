// The CIE colour rendering index: each test colour sample under the light, adapted to the
// reference's white by the von Kries transform in the CIE 1960 UCS, against the same sample
// under the reference, in CIE 1964 U*V*W*.
#include <cmath>
#include <cstddef>

#include "tintcalc/RenditionMetrics.h"

namespace tintcalc {
namespace {

constexpr std::size_t kGeneralIndexSamples = 8;  // Ra averages R1..R8

struct Ucs {
    double u, v, y;
};

Ucs toUcs(const Xyz& c) {
    const double d = c.X + 15.0 * c.Y + 3.0 * c.Z;
    return {4.0 * c.X / d, 6.0 * c.Y / d, c.Y};
}

// The c and d coordinates the adaptation works in.
double cOf(const Ucs& p) {
    return (4.0 - p.u - 10.0 * p.v) / p.v;
}
double dOf(const Ucs& p) {
    return (1.708 * p.v + 0.404 - 1.481 * p.u) / p.v;
}

struct Uvw {
    double u, v, w;
};

Uvw toUvw(const Ucs& colour, const Ucs& white) {
    const double w = 25.0 * std::cbrt(colour.y) - 17.0;
    return {13.0 * w * (colour.u - white.u), 13.0 * w * (colour.v - white.v), w};
}

}  // namespace

void computeColourRenderingIndex(const SpectralGrid& light, double cct, RenditionResult& out) {
    const ReferenceSpectrum reference = criReference(cct);
    const ReflectanceSet& samples = criTestSamples();
    const auto colours = compareWithReference(light, reference, samples, cie::kObserver2);
    if (!colours) {
        return;
    }
    const SampleColours& test = colours->test;
    const SampleColours& ref = colours->reference;
    const Ucs k = toUcs(test.white);
    const Ucs r = toUcs(ref.white);
    const double cRatio = cOf(r) / cOf(k);
    const double dRatio = dOf(r) / dOf(k);
    // The von Kries transform that takes the light's white to the reference's.
    auto adapted = [&](const Ucs& p) {
        const double c = cRatio * cOf(p), d = dRatio * dOf(p);
        const double denominator = 16.518 + 1.481 * c - d;
        return Ucs{(10.872 + 0.404 * c - 4.0 * d) / denominator, 5.520 / denominator, p.y};
    };
    const Ucs adaptedWhite = adapted(k);

    double generalSum = 0.0;
    for (std::size_t i = 0; i < samples.count(); ++i) {
        const Uvw t = toUvw(adapted(toUcs(test.samples[i])), adaptedWhite);
        const Uvw s = toUvw(toUcs(ref.samples[i]), r);
        const double difference = std::sqrt((t.u - s.u) * (t.u - s.u) + (t.v - s.v) * (t.v - s.v) +
                                            (t.w - s.w) * (t.w - s.w));
        out.r[i] = 100.0 - 4.6 * difference;
        if (i < kGeneralIndexSamples) {
            generalSum += out.r[i];
        }
    }
    out.ra = generalSum / kGeneralIndexSamples;
    out.dc = std::hypot(k.u - r.u, k.v - r.v);
    out.criReliable = out.dc <= kCriReliableDistance;
    out.criReference = reference.kind;
}

}  // namespace tintcalc
