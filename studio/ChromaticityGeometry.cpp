#include "ChromaticityGeometry.h"

#include <cmath>

#include "tintcalc/Observer.h"
#include "tintcalc/PlanckianLocus.h"

namespace studio {

namespace {

constexpr double kMarkDuv = 0.02;

PlanePoint fromUv(ChromaticityPlane plane, double u, double v) {
    if (plane == ChromaticityPlane::UvPrime) {
        return {u, 1.5 * v};
    }
    const double d = 2.0 * u - 8.0 * v + 4.0;
    return {3.0 * u / d, 2.0 * v / d};
}

const tintcalc::PlanckianLocus& locusFor(int observer) {
    return tintcalc::PlanckianLocus::forObserver(tintcalc::observerFromCode(observer));
}

}  // namespace

PlanePoint toPlane(ChromaticityPlane plane, double x, double y) {
    if (plane == ChromaticityPlane::Xy) {
        return {x, y};
    }
    const double d = -2.0 * x + 12.0 * y + 3.0;
    return {4.0 * x / d, 9.0 * y / d};
}

std::vector<LocusPoint> spectralLocus(ChromaticityPlane plane, int observer) {
    const cie::SpectralTable& cmf = tintcalc::colourMatching(tintcalc::observerFromCode(observer));
    std::vector<LocusPoint> points;
    for (int nm = 380; nm <= 700; nm += 5) {
        const auto& row = cmf.at(nm);
        const double sum = row[0] + row[1] + row[2];
        points.push_back({nm, toPlane(plane, row[0] / sum, row[1] / sum)});
    }
    return points;
}

std::vector<PlanePoint> planckianLocus(ChromaticityPlane plane, int observer) {
    const tintcalc::PlanckianLocus& locus = locusFor(observer);
    std::vector<PlanePoint> points;
    // Even steps in reciprocal temperature: the locus bends most at low temperatures.
    for (double mired = 1000.0; mired >= 10.0; mired -= 5.0) {
        const tintcalc::UvPoint uv = locus.exact(1e6 / mired);
        points.push_back(fromUv(plane, uv.u, uv.v));
    }
    return points;
}

std::vector<IsotemperatureLine> isotemperatureLines(ChromaticityPlane plane, int observer) {
    const tintcalc::PlanckianLocus& locus = locusFor(observer);
    std::vector<IsotemperatureLine> lines;
    for (double kelvin : {1500.0, 2000.0, 2500.0, 3000.0, 4000.0, 5000.0, 6500.0, 10000.0}) {
        const tintcalc::UvPoint at = locus.exact(kelvin);
        const tintcalc::UvPoint hotter = locus.exact(kelvin * 1.001);
        const tintcalc::UvPoint cooler = locus.exact(kelvin / 1.001);
        const double du = hotter.u - cooler.u;
        const double dv = hotter.v - cooler.v;
        const double length = std::hypot(du, dv);
        // The normal pointing above the locus (towards green) carries a positive Duv.
        double nu = -dv / length;
        double nv = du / length;
        if (nv < 0) {
            nu = -nu;
            nv = -nv;
        }
        lines.push_back({kelvin, fromUv(plane, at.u - kMarkDuv * nu, at.v - kMarkDuv * nv),
                         fromUv(plane, at.u + kMarkDuv * nu, at.v + kMarkDuv * nv)});
    }
    return lines;
}

}  // namespace studio
