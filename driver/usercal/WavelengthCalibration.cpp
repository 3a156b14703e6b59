#include "usercal/WavelengthCalibration.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <map>

namespace usercal {

namespace {

// An entry that needs too large a correction; it fails the whole table.
constexpr double kFailed = FLT_MAX;

// The correction at x: the segment's straight line between its pairs, beyond the outer
// pairs the nearest pair's offset, held within 378..782 nm.
double entryAt(double x, const std::vector<double>& c, const std::vector<double>& r) {
    const std::size_t n = c.size();
    std::size_t k = 0;
    while (k < n && x > c[k]) {
        ++k;
    }
    double t = 0.0;
    if (k == 0) {
        t = x + (r[0] - c[0]);
    } else if (k == n) {
        t = x + (r[n - 1] - c[n - 1]);
    } else {
        t = r[k - 1] + (r[k] - r[k - 1]) * (x - c[k - 1]) / (c[k] - c[k - 1]);
    }
    t = std::clamp(t, kLowestEntry, kHighestEntry);
    return std::fabs(t - x) > kLargestCorrection ? kFailed : t;
}

bool increasing(const WavelengthTable& table) {
    for (std::size_t i = 1; i < table.size(); ++i) {
        const double a = table[i - 1];
        const double b = table[i];
        const bool equalAtAnEnd = a == b && (a == 380.0 || a == 780.0);
        if (!(b > a) && !equalAtAnEnd) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<double> lineCentroid(const std::vector<double>& spectrum, int startNm, int endNm) {
    if (spectrum.size() != static_cast<std::size_t>(kEntries) || startNm < kFirstNm ||
        endNm > kLastNm || startNm > endNm) {
        return std::nullopt;
    }
    double weighted = 0.0;
    double sum = 0.0;
    for (int i = startNm - kFirstNm; i <= endNm - kFirstNm; ++i) {
        weighted += i * spectrum[static_cast<std::size_t>(i)];
        sum += spectrum[static_cast<std::size_t>(i)];
    }
    if (sum == 0.0 || !std::isfinite(weighted / sum)) {
        return std::nullopt;
    }
    return kFirstNm + weighted / sum;
}

std::optional<WavelengthTable> wavelengthTable(const std::vector<LinePair>& pairs) {
    std::map<double, double> byCentroid;
    for (const LinePair& pair : pairs) {
        if (!(pair.centroid >= kFirstNm && pair.centroid <= kLastNm) ||
            !byCentroid.emplace(pair.centroid, pair.reference).second) {
            return std::nullopt;
        }
    }
    if (byCentroid.empty()) {
        return std::nullopt;
    }
    std::vector<double> c;
    std::vector<double> r;
    for (const auto& [centroid, reference] : byCentroid) {
        if (!r.empty() && !(reference > r.back())) {
            return std::nullopt;
        }
        c.push_back(centroid);
        r.push_back(reference);
    }
    WavelengthTable table{};
    for (int i = 0; i < kEntries; ++i) {
        table[static_cast<std::size_t>(i)] = entryAt(kFirstNm + i, c, r);
        if (table[static_cast<std::size_t>(i)] == kFailed) {
            return std::nullopt;
        }
    }
    if (!increasing(table)) {
        return std::nullopt;
    }
    return table;
}

}  // namespace usercal
