#include "tintcalc/Rendition.h"

#include <cmath>

#include "tintcalc/Observer.h"
#include "tintcalc/PlanckianLocus.h"
#include "tintcalc/RenditionMetrics.h"

namespace tintcalc {
namespace {

// Arithmetic on extreme inputs must never reach a caller as NaN or infinity.
void sanitise(RenditionResult& r) {
    auto clean = [](double& v) {
        if (!std::isfinite(v)) {
            v = kUndefined;
        }
    };
    for (double* v : {&r.cct, &r.duv, &r.ra, &r.dc, &r.rf, &r.rg}) {
        clean(*v);
    }
    for (double& v : r.r) {
        clean(v);
    }
    for (double& v : r.rfSample) {
        clean(v);
    }
    for (HueBin& b : r.hueBins) {
        for (double* v : {&b.fidelity, &b.chromaShiftPercent, &b.hueShift, &b.testA, &b.testB,
                          &b.referenceA, &b.referenceB}) {
            clean(*v);
        }
    }
    if (!isDefined(r.dc)) {
        r.criReliable = false;
    }
}

}  // namespace

RenditionResult computeRendition(const std::vector<double>& values, int pitch, int shortNm,
                                 int longNm) {
    RenditionResult result;
    const auto grid = SpectralGrid::fromSpectrum(values, pitch, shortNm, longNm);
    if (!grid) {
        return result;
    }
    // The temperature that selects both references, from the same grid.
    const auto light = sampleColours(*grid, grid->power, ReflectanceSet(0), cie::kObserver2);
    if (!light) {
        return result;
    }
    const Xyz& w = light->white;
    const double d = w.X + 15.0 * w.Y + 3.0 * w.Z;
    const auto t = d > 0.0 ? PlanckianLocus::forObserver(Observer::Cie1931)
                                 .temperature(4.0 * w.X / d, 6.0 * w.Y / d)
                           : std::nullopt;
    if (!t) {
        return result;
    }
    result.cct = t->kelvin;
    result.duv = t->duv;
    computeColourRenderingIndex(*grid, t->kelvin, result);
    computeFidelityAndGamut(*grid, t->kelvin, result);
    sanitise(result);
    return result;
}

}  // namespace tintcalc
