#include "tintcalc/DominantWavelength.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace tintcalc {
namespace {

double cross(double ax, double ay, double bx, double by) {
    return ax * by - ay * bx;
}

// Where the ray white + t·(dx, dy), t > 0, crosses the segment a-b: t and the position s
// (0 at a, 1 at b) on the segment.
struct Crossing {
    double t;
    double s;
};

std::optional<Crossing> crossRay(double wx, double wy, double dx, double dy, double ax, double ay,
                                 double bx, double by) {
    const double ex = bx - ax, ey = by - ay;
    const double denom = cross(dx, dy, ex, ey);
    if (denom == 0.0) {
        return std::nullopt;
    }
    const double t = cross(ax - wx, ay - wy, ex, ey) / denom;
    const double s = cross(ax - wx, ay - wy, dx, dy) / denom;
    constexpr double kEdge = 1e-12;  // a ray through a node belongs to both neighbours
    if (t <= 0.0 || s < -kEdge || s > 1.0 + kEdge) {
        return std::nullopt;
    }
    return Crossing{t, std::clamp(s, 0.0, 1.0)};
}

}  // namespace

DominantWavelength::DominantWavelength(const cie::SpectralTable& cmf, int shortNm, int longNm)
    : shortNm_(std::max(shortNm, cmf.firstNm)) {
    longNm = std::min(longNm, cmf.lastNm());
    double sx = 0.0, sy = 0.0, sz = 0.0;
    for (int nm = shortNm_; nm <= longNm; ++nm) {
        const auto& r = cmf.at(nm);
        const double sum = r[0] + r[1] + r[2];
        xs_.push_back(r[0] / sum);
        ys_.push_back(r[1] / sum);
        sx += r[0];
        sy += r[1];
        sz += r[2];
    }
    whiteX_ = sx / (sx + sy + sz);
    whiteY_ = sy / (sx + sy + sz);
}

const DominantWavelength& DominantWavelength::forObserver(Observer observer) {
    if (observer == Observer::Cie1964) {
        static const DominantWavelength locus10(cie::kObserver10, kRangeShortNm, kRangeLongNm);
        return locus10;
    }
    static const DominantWavelength locus2(cie::kObserver2, kRangeShortNm, kRangeLongNm);
    return locus2;
}

std::optional<DominantWavelength::Hit> DominantWavelength::spectralHit(double dx, double dy) const {
    // The ends of the locus fold back on themselves within rounding; the first crossing in
    // wavelength order is taken so that the answer does not depend on that noise.
    for (std::size_t i = 0; i + 1 < xs_.size(); ++i) {
        if (auto c = crossRay(whiteX_, whiteY_, dx, dy, xs_[i], ys_[i], xs_[i + 1], ys_[i + 1])) {
            return Hit{shortNm_ + static_cast<double>(i) + c->s, c->t};
        }
    }
    return std::nullopt;
}

std::optional<DominantResult> DominantWavelength::compute(double x, double y) const {
    const double dx = x - whiteX_, dy = y - whiteY_;
    if (!std::isfinite(dx) || !std::isfinite(dy)) {
        return std::nullopt;
    }
    if (std::hypot(dx, dy) < 1e-12) {
        // The white itself: no hue, so no wavelength, and no purity either.
        return DominantResult{std::nullopt, false, 0.0};
    }
    if (auto hit = spectralHit(dx, dy)) {
        return DominantResult{hit->wavelength, false, 1.0 / hit->distance};
    }
    // A purple: the ray meets the purple line; name it by the opposite spectral colour.
    const auto purple =
        crossRay(whiteX_, whiteY_, dx, dy, xs_.back(), ys_.back(), xs_.front(), ys_.front());
    const auto opposite = spectralHit(-dx, -dy);
    if (!purple || !opposite) {
        return std::nullopt;
    }
    return DominantResult{-opposite->wavelength, true, 1.0 / purple->t};
}

}  // namespace tintcalc
