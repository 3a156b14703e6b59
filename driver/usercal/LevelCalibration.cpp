#include "usercal/LevelCalibration.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>

#include "platform/Numbers.h"

namespace usercal {

std::optional<LevelTable> levelFactors(const std::vector<double>& reference,
                                       const std::vector<double>& measured) {
    if (reference.size() != static_cast<std::size_t>(kEntries) ||
        measured.size() != static_cast<std::size_t>(kEntries)) {
        return std::nullopt;
    }
    LevelTable factors{};
    for (std::size_t i = 0; i < factors.size(); ++i) {
        const double q = measured[i] == 0.0 ? kSmallestFactor : reference[i] / measured[i];
        // A negative or failed quotient (a dark or noisy measurement) counts as too small.
        factors[i] = std::isnan(q) || q < kSmallestFactor ? kSmallestFactor
                     : q > kLargestFactor                 ? kLargestFactor
                                                          : q;
    }
    return factors;
}

std::optional<std::vector<double>> readLineValues(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::vector<double> values;
    std::string line;
    while (values.size() < static_cast<std::size_t>(kEntries) && std::getline(in, line)) {
        values.push_back(platform::cAtof(line));
    }
    if (values.size() < static_cast<std::size_t>(kEntries)) {
        return std::nullopt;
    }
    return values;
}

bool writeLineValues(const std::string& path, const std::vector<double>& values) {
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        return false;
    }
    for (double value : values) {
        const std::string line = platform::cFormat("%.3e\n", value);
        if (std::fwrite(line.data(), 1, line.size(), file.get()) != line.size()) {
            return false;
        }
    }
    return std::fclose(file.release()) == 0;
}

}  // namespace usercal
