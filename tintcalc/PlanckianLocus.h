#pragma once
// The Planckian locus in the CIE 1960 (u, v) plane, and the correlated colour temperature
// with Duv of a chromaticity: the temperature of the locus point nearest to it.
#include <optional>
#include <vector>

#include "ciedata/CieTables.h"
#include "tintcalc/Observer.h"

namespace tintcalc {

struct UvPoint {
    double u = 0.0;
    double v = 0.0;
};

struct TemperatureResult {
    double kelvin = 0.0;
    double duv = 0.0;  // positive above the locus (towards green)
};

class PlanckianLocus {
  public:
    // Temperatures the method answers for; outside them a chromaticity has no temperature.
    static constexpr double kMinKelvin = 1000.0;
    static constexpr double kMaxKelvin = 100000.0;
    // Farthest a chromaticity may lie from the locus and still be given a temperature.
    static constexpr double kMaxDuv = 0.05;

    // Locus of the given colour-matching functions summed over [shortNm, longNm] at 1 nm.
    PlanckianLocus(const cie::SpectralTable& cmf, int shortNm, int longNm);

    // The locus over the instrument range, built once per observer on first use.
    static const PlanckianLocus& forObserver(Observer observer);

    // Chromaticity of a blackbody, from Planck's law (c2 = 1.4388e-2 m·K).
    UvPoint exact(double kelvin) const;

    // Nearest locus point; empty when it lies outside kMinKelvin..kMaxKelvin or the
    // chromaticity is farther than kMaxDuv from the locus.
    std::optional<TemperatureResult> temperature(double u, double v) const;

  private:
    // A table node: chromaticity and its derivative with respect to the reciprocal
    // temperature (mired), for cubic Hermite interpolation between nodes.
    struct Node {
        UvPoint p;
        double du = 0.0;
        double dv = 0.0;
    };

    Node evaluate(double mired) const;
    UvPoint interpolate(double mired) const;

    std::vector<double> lambdaM_;  // wavelengths in metres
    std::vector<double> xbar_, ybar_, zbar_;
    double firstMired_ = 0.0;
    double stepMired_ = 0.0;
    std::vector<Node> nodes_;
};

}  // namespace tintcalc
