#include "tintcalc/RenditionSamples.h"

#include <algorithm>

#include "renditiondata/RenditionTables.h"

namespace tintcalc {
namespace {

constexpr int kFactor = cie::kRenditionStepNm;  // 5 nm rows to 1 nm points

template <std::size_t Columns>
std::vector<double> column(const cie::FiveNmTable<Columns>& table, std::size_t c) {
    std::vector<double> out;
    out.reserve(table.size());
    for (const auto& row : table) {
        out.push_back(row[c]);
    }
    return out;
}

template <std::size_t Columns>
ReflectanceSet interpolatedSet(const cie::FiveNmTable<Columns>& table) {
    ReflectanceSet set(Columns);
    for (std::size_t c = 0; c < Columns; ++c) {
        const std::vector<double> fine = spragueInterpolate(column(table, c), kFactor);
        std::copy(fine.begin(), fine.end(), set.sample(c));
    }
    return set;
}

}  // namespace

std::vector<double> spragueInterpolate(const std::vector<double>& table, int factor) {
    std::vector<double> out;
    if (table.empty() || factor < 1) {
        return out;
    }
    const long n = static_cast<long>(table.size());
    auto at = [&](long i) { return table[std::clamp(i, 0L, n - 1)]; };
    out.reserve((n - 1) * factor + 1);
    for (long i = 0; i + 1 < n; ++i) {
        const double pm2 = at(i - 2), pm1 = at(i - 1), p0 = at(i), p1 = at(i + 1), p2 = at(i + 2),
                     p3 = at(i + 3);
        // Coefficients of the polynomial on [p0, p1] in x from 0 to 1.
        const double a1 = (2 * pm2 - 16 * pm1 + 16 * p1 - 2 * p2) / 24;
        const double a2 = (-pm2 + 16 * pm1 - 30 * p0 + 16 * p1 - p2) / 24;
        const double a3 = (-9 * pm2 + 39 * pm1 - 70 * p0 + 66 * p1 - 33 * p2 + 7 * p3) / 24;
        const double a4 = (13 * pm2 - 64 * pm1 + 126 * p0 - 124 * p1 + 61 * p2 - 12 * p3) / 24;
        const double a5 = (-5 * pm2 + 25 * pm1 - 50 * p0 + 50 * p1 - 25 * p2 + 5 * p3) / 24;
        out.push_back(p0);
        for (int k = 1; k < factor; ++k) {
            const double x = static_cast<double>(k) / factor;
            out.push_back(p0 + x * (a1 + x * (a2 + x * (a3 + x * (a4 + x * a5)))));
        }
    }
    out.push_back(table.back());
    return out;
}

const ReflectanceSet& criTestSamples() {
    static const ReflectanceSet set = interpolatedSet(cie::kCriTestSamples);
    return set;
}

const ReflectanceSet& colourEvaluationSamples() {
    static const ReflectanceSet set = interpolatedSet(cie::kColourEvaluationSamples);
    return set;
}

const std::array<std::vector<double>, 3>& daylightComponents() {
    static const std::array<std::vector<double>, 3> components = [] {
        std::array<std::vector<double>, 3> s;
        for (std::size_t c = 0; c < 3; ++c) {
            const std::vector<double> coarse = column(cie::kDaylightBasis, c);
            for (int nm = kSampleFirstNm; nm <= kSampleLastNm; ++nm) {
                const int row = (nm - kSampleFirstNm) / kFactor;
                const int rest = (nm - kSampleFirstNm) % kFactor;
                const double next = rest == 0 ? coarse[row] : coarse[row + 1];
                s[c].push_back(coarse[row] + (next - coarse[row]) * rest / kFactor);
            }
        }
        return s;
    }();
    return components;
}

}  // namespace tintcalc
