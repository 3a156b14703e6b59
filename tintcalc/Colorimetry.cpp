#include "tintcalc/Colorimetry.h"

#include <cmath>
#include <cstddef>
#include <optional>

#include "tintcalc/DominantWavelength.h"
#include "tintcalc/Observer.h"
#include "tintcalc/PlanckianLocus.h"

namespace tintcalc {
namespace {

struct Tristimulus {
    double X;
    double Y;
    double Z;
};

std::optional<Tristimulus> integrate(const std::vector<double>& values, int pitch, int shortNm,
                                     int longNm, Observer observer) {
    if (pitch == 0 && shortNm == 0 && longNm == 0) {
        pitch = 1;
        shortNm = kRangeShortNm;
        longNm = kRangeLongNm;
    }
    const long long span = static_cast<long long>(longNm) - shortNm;
    if (values.empty() || pitch <= 0 || span < 0 || span % pitch != 0 ||
        static_cast<std::size_t>(span / pitch) + 1 != values.size()) {
        return std::nullopt;
    }
    // Each sample stands for a band of one pitch; the 1 nm tables are read at the sample
    // wavelengths, which is the CIE practice for coarser grids. Light outside the tables
    // does not count.
    const cie::SpectralTable& cmf = colourMatching(observer);
    Tristimulus t{0.0, 0.0, 0.0};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const long long nm = shortNm + static_cast<long long>(i) * pitch;
        if (nm < cmf.firstNm || nm > cmf.lastNm()) {
            continue;
        }
        const auto& row = cmf.at(static_cast<int>(nm));
        t.X += values[i] * row[0];
        t.Y += values[i] * row[1];
        t.Z += values[i] * row[2];
    }
    const double scale = kKm * pitch;
    return Tristimulus{t.X * scale, t.Y * scale, t.Z * scale};
}

// Everything that follows from a chromaticity.
void fillChromaticity(double x, double y, Observer observer, ColorResult& r) {
    if (!std::isfinite(x) || !std::isfinite(y) || y <= 0.0) {
        return;
    }
    r.x = x;
    r.y = y;
    const double d = -2.0 * x + 12.0 * y + 3.0;
    if (d <= 0.0) {
        return;
    }
    r.u = 4.0 * x / d;
    r.v = 6.0 * y / d;
    r.uPrime = r.u;
    r.vPrime = 1.5 * r.v;
    if (auto t = PlanckianLocus::forObserver(observer).temperature(r.u, r.v)) {
        r.cct = t->kelvin;
        r.duv = t->duv;
    }
    if (auto dw = DominantWavelength::forObserver(observer).compute(x, y)) {
        r.dominantWavelength = dw->wavelength.value_or(kUndefined);
        r.complementary = dw->complementary;
        r.purity = dw->purity;
    }
}

void setXyz(double X, double Y, double Z, ColorResult& r) {
    r.X = X;
    r.Y = Y;
    r.Z = Z;
    r.Lv = Y;
}

// Overflow or an inconsistency must never reach a caller as NaN or infinity.
ColorResult sanitised(ColorResult r) {
    for (double* value : {&r.X, &r.Y, &r.Z, &r.Lv, &r.x, &r.y, &r.u, &r.v, &r.uPrime, &r.vPrime,
                          &r.cct, &r.duv, &r.dominantWavelength, &r.purity}) {
        if (!std::isfinite(*value)) {
            *value = kUndefined;
        }
    }
    if (!isDefined(r.dominantWavelength)) {
        r.complementary = false;
    }
    return r;
}

ColorResult fromXyz(double X, double Y, double Z, Observer observer) {
    ColorResult r;
    if (!std::isfinite(X) || !std::isfinite(Y) || !std::isfinite(Z)) {
        return r;
    }
    setXyz(X, Y, Z, r);
    // No light, or noise that sums to none: there is no colour to speak of.
    const double sum = X + Y + Z;
    if (Y > 0.0 && sum > 0.0) {
        fillChromaticity(X / sum, Y / sum, observer, r);
    }
    return sanitised(r);
}

}  // namespace

ColorResult computeSpectrum(const std::vector<double>& values, int pitch, int shortNm, int longNm,
                            int observer) {
    const Observer obs = observerFromCode(observer);
    const auto t = integrate(values, pitch, shortNm, longNm, obs);
    if (!t) {
        return ColorResult{};
    }
    return fromXyz(t->X, t->Y, t->Z, obs);
}

ColorResult computeXyz(double X, double Y, double Z, int observer) {
    return fromXyz(X, Y, Z, observerFromCode(observer));
}

ColorResult computeLvxy(double Lv, double x, double y, int observer) {
    ColorResult r;
    if (!std::isfinite(Lv)) {
        return r;
    }
    // The chromaticity stands even without light, as the record states it.
    fillChromaticity(x, y, observerFromCode(observer), r);
    r.Lv = Lv;
    r.Y = Lv;
    if (isDefined(r.x)) {
        r.X = x / y * Lv;
        r.Z = (1.0 - x - y) / y * Lv;
    }
    return sanitised(r);
}

}  // namespace tintcalc
