#include "tintcalc/ReferenceIlluminant.h"

#include <cmath>

#include "ciedata/CieTables.h"
#include "tintcalc/RenditionSamples.h"

namespace tintcalc {
namespace {

constexpr double kC2 = 1.4388e-2;  // m·K, as the Planckian locus uses

// Where the references change: the colour rendering index switches to daylight at 5000 K;
// the fidelity index blends between 4000 and 5000 K.
constexpr double kCriDaylightFromKelvin = 5000.0;
constexpr double kBlendFromKelvin = 4000.0;
constexpr double kBlendToKelvin = 5000.0;

double y10(const std::vector<double>& power) {
    double y = 0.0;
    for (int i = 0; i < kSamplePoints; ++i) {
        y += power[i] * cie::kObserver10.at(kSampleFirstNm + i)[1];
    }
    return y;
}

}  // namespace

std::vector<double> planckianSpectrum(double kelvin) {
    std::vector<double> power(kSamplePoints);
    for (int i = 0; i < kSamplePoints; ++i) {
        const double um = (kSampleFirstNm + i) * 1e-3;  // micrometres keep the powers moderate
        power[i] = 1.0 / (um * um * um * um * um * std::expm1(kC2 * 1e6 / (um * kelvin)));
    }
    return power;
}

std::vector<double> daylightSpectrum(double kelvin) {
    const double t = kelvin, t2 = t * t, t3 = t2 * t;
    const double x = t <= 7000.0 ? -4.6070e9 / t3 + 2.9678e6 / t2 + 0.09911e3 / t + 0.244063
                                 : -2.0064e9 / t3 + 1.9018e6 / t2 + 0.24748e3 / t + 0.237040;
    const double y = -3.000 * x * x + 2.870 * x - 0.275;
    const double m = 0.0241 + 0.2562 * x - 0.7341 * y;
    const double m1 = (-1.3515 - 1.7703 * x + 5.9114 * y) / m;
    const double m2 = (0.0300 - 31.4424 * x + 30.0717 * y) / m;
    const auto& s = daylightComponents();
    std::vector<double> power(kSamplePoints);
    for (int i = 0; i < kSamplePoints; ++i) {
        power[i] = s[0][i] + m1 * s[1][i] + m2 * s[2][i];
    }
    return power;
}

ReferenceSpectrum criReference(double kelvin) {
    if (kelvin < kCriDaylightFromKelvin) {
        return {ReferenceIlluminant::Planckian, planckianSpectrum(kelvin)};
    }
    return {ReferenceIlluminant::Daylight, daylightSpectrum(kelvin)};
}

ReferenceSpectrum fidelityReference(double kelvin) {
    if (kelvin < kBlendFromKelvin) {
        return {ReferenceIlluminant::Planckian, planckianSpectrum(kelvin)};
    }
    if (kelvin >= kBlendToKelvin) {
        return {ReferenceIlluminant::Daylight, daylightSpectrum(kelvin)};
    }
    std::vector<double> planck = planckianSpectrum(kelvin);
    const std::vector<double> daylight = daylightSpectrum(kelvin);
    const double weight = (kelvin - kBlendFromKelvin) / (kBlendToKelvin - kBlendFromKelvin);
    const double planckScale = (1.0 - weight) / y10(planck);
    const double daylightScale = weight / y10(daylight);
    for (int i = 0; i < kSamplePoints; ++i) {
        planck[i] = planck[i] * planckScale + daylight[i] * daylightScale;
    }
    return {ReferenceIlluminant::Blend, std::move(planck)};
}

}  // namespace tintcalc
