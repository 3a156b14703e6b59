#include "tintcalc/PlanckianLocus.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace tintcalc {
namespace {

// Second radiation constant, m·K, the value published locus tables use.
constexpr double kC2 = 1.4388e-2;

// Table from slightly below 1000 K to slightly above 100000 K so that a temperature at
// either limit is found as an interior minimum. One mired between nodes keeps the cubic
// interpolation far below 1e-9 in u and v.
constexpr double kTableFirstMired = 9.0;
constexpr double kTableLastMired = 1001.0;
constexpr double kTableStepMired = 1.0;

}  // namespace

PlanckianLocus::PlanckianLocus(const cie::SpectralTable& cmf, int shortNm, int longNm)
    : firstMired_(kTableFirstMired), stepMired_(kTableStepMired) {
    shortNm = std::max(shortNm, cmf.firstNm);
    longNm = std::min(longNm, cmf.lastNm());
    for (int nm = shortNm; nm <= longNm; ++nm) {
        const auto& row = cmf.at(nm);
        lambdaM_.push_back(nm * 1e-9);
        xbar_.push_back(row[0]);
        ybar_.push_back(row[1]);
        zbar_.push_back(row[2]);
    }
    const auto count =
        static_cast<std::size_t>((kTableLastMired - kTableFirstMired) / kTableStepMired) + 1;
    nodes_.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        nodes_.push_back(evaluate(firstMired_ + stepMired_ * static_cast<double>(i)));
    }
}

const PlanckianLocus& PlanckianLocus::forObserver(Observer observer) {
    if (observer == Observer::Cie1964) {
        static const PlanckianLocus locus10(cie::kObserver10, kRangeShortNm, kRangeLongNm);
        return locus10;
    }
    static const PlanckianLocus locus2(cie::kObserver2, kRangeShortNm, kRangeLongNm);
    return locus2;
}

PlanckianLocus::Node PlanckianLocus::evaluate(double mired) const {
    // Relative spectral radiance lambda^-5 / (exp(c2 / (lambda T)) - 1) with 1/T = mired·1e-6,
    // and its derivative with respect to mired; the constant c1 cancels in (u, v).
    double X = 0.0, Y = 0.0, Z = 0.0, dX = 0.0, dY = 0.0, dZ = 0.0;
    for (std::size_t i = 0; i < lambdaM_.size(); ++i) {
        const double lambda = lambdaM_[i];
        const double dxdm = kC2 * 1e-6 / lambda;
        const double em1 = std::expm1(dxdm * mired);
        const double scaled = lambda * 1e6;  // micrometres keep the powers moderate
        const double p = 1.0 / (scaled * scaled * scaled * scaled * scaled * em1);
        const double dp = -p * (em1 + 1.0) / em1 * dxdm;
        X += p * xbar_[i];
        Y += p * ybar_[i];
        Z += p * zbar_[i];
        dX += dp * xbar_[i];
        dY += dp * ybar_[i];
        dZ += dp * zbar_[i];
    }
    const double d = X + 15.0 * Y + 3.0 * Z;
    const double dd = dX + 15.0 * dY + 3.0 * dZ;
    Node node;
    node.p = {4.0 * X / d, 6.0 * Y / d};
    node.du = 4.0 * (dX * d - X * dd) / (d * d);
    node.dv = 6.0 * (dY * d - Y * dd) / (d * d);
    return node;
}

UvPoint PlanckianLocus::exact(double kelvin) const {
    return evaluate(1e6 / kelvin).p;
}

UvPoint PlanckianLocus::interpolate(double mired) const {
    const double pos = (mired - firstMired_) / stepMired_;
    const auto last = nodes_.size() - 2;
    const auto i = std::min(static_cast<std::size_t>(std::max(pos, 0.0)), last);
    const double t = pos - static_cast<double>(i);
    const Node& a = nodes_[i];
    const Node& b = nodes_[i + 1];
    const double t2 = t * t, t3 = t2 * t;
    const double h00 = 2 * t3 - 3 * t2 + 1, h10 = t3 - 2 * t2 + t;
    const double h01 = -2 * t3 + 3 * t2, h11 = t3 - t2;
    const double h = stepMired_;
    return {h00 * a.p.u + h10 * h * a.du + h01 * b.p.u + h11 * h * b.du,
            h00 * a.p.v + h10 * h * a.dv + h01 * b.p.v + h11 * h * b.dv};
}

std::optional<TemperatureResult> PlanckianLocus::temperature(double u, double v) const {
    if (!std::isfinite(u) || !std::isfinite(v)) {
        return std::nullopt;
    }
    auto distance2 = [u, v](const UvPoint& p) {
        return (p.u - u) * (p.u - u) + (p.v - v) * (p.v - v);
    };
    // Nearest node first, then the exact minimum on the curve around it.
    std::size_t nearest = 0;
    double best = std::numeric_limits<double>::max();
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
        const double d2 = distance2(nodes_[i].p);
        if (d2 < best) {
            best = d2;
            nearest = i;
        }
    }
    if (nearest == 0 || nearest + 1 == nodes_.size()) {
        return std::nullopt;
    }
    double lo = firstMired_ + stepMired_ * static_cast<double>(nearest - 1);
    double hi = lo + 2.0 * stepMired_;
    const double golden = (std::sqrt(5.0) - 1.0) / 2.0;
    double a = hi - golden * (hi - lo), b = lo + golden * (hi - lo);
    double fa = distance2(interpolate(a)), fb = distance2(interpolate(b));
    for (int iteration = 0; iteration < 80; ++iteration) {
        if (fa < fb) {
            hi = b;
            b = a;
            fb = fa;
            a = hi - golden * (hi - lo);
            fa = distance2(interpolate(a));
        } else {
            lo = a;
            a = b;
            fa = fb;
            b = lo + golden * (hi - lo);
            fb = distance2(interpolate(b));
        }
    }
    const double mired = 0.5 * (lo + hi);
    const double kelvin = 1e6 / mired;
    const UvPoint p = interpolate(mired);
    const double duv = std::copysign(std::sqrt(distance2(p)), v - p.v);
    // The limits themselves belong to the range, whatever the rounding of the search.
    constexpr double kSlack = 1e-9;
    if (kelvin < kMinKelvin * (1.0 - kSlack) || kelvin > kMaxKelvin * (1.0 + kSlack) ||
        std::fabs(duv) > kMaxDuv) {
        return std::nullopt;
    }
    return TemperatureResult{kelvin, duv};
}

}  // namespace tintcalc
