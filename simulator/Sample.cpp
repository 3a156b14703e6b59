#include "simulator/Sample.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "simulator/HexFloat.h"

namespace rx9100sim {

const char* const kSampleNames = "none, white, grey, grey:R (0.01 to 1), red, cyan";

namespace {

double logistic(double x) {
    return 1.0 / (1.0 + std::exp(-x));
}

}  // namespace

std::optional<Sample> Sample::parse(std::string_view text) {
    std::string t;
    for (char c : text) {
        t += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    Sample s;
    if (t == "none") {
        s.kind = Kind::None;
    } else if (t == "white") {
        s.kind = Kind::White;
    } else if (t == "grey" || t == "gray") {
        s.kind = Kind::Grey;
    } else if (t.starts_with("grey:") || t.starts_with("gray:")) {
        const auto r = parseDecimal(std::string_view(t).substr(5));
        if (!r || *r < 0.01 || *r > 1.0) {
            return std::nullopt;
        }
        s.kind = Kind::Grey;
        s.greyFactor = *r;
    } else if (t == "red") {
        s.kind = Kind::Red;
    } else if (t == "cyan") {
        s.kind = Kind::Cyan;
    } else {
        return std::nullopt;
    }
    return s;
}

std::optional<std::vector<Sample>> Sample::parseList(std::string_view text, std::string* error) {
    std::vector<Sample> samples;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto comma = std::min(text.find(',', start), text.size());
        const std::string_view name = text.substr(start, comma - start);
        const auto sample = parse(name);
        if (!sample) {
            if (error) {
                *error = "unknown sample \"" + std::string(name) + "\" (" + kSampleNames + ")";
            }
            return std::nullopt;
        }
        samples.push_back(*sample);
        start = comma + 1;
    }
    return samples;
}

std::string Sample::describe() const {
    switch (kind) {
        case Kind::None:
            return "none";
        case Kind::White:
            return "white";
        case Kind::Grey:
            return greyFactor == kDefaultGrey ? "grey" : "grey:" + toFixed(greyFactor, 4);
        case Kind::Red:
            return "red";
        case Kind::Cyan:
            return "cyan";
    }
    return "none";
}

double Sample::factorAt(double nm) const {
    switch (kind) {
        case Kind::None:
            return 1.0;
        case Kind::White:
            // A pressed-PTFE tile: 1.0 over the visible, 0.6 % lower at 380 nm.
            return 1.0 - 0.006 * std::exp(-(nm - 380.0) / 15.0);
        case Kind::Grey:
            return greyFactor;
        case Kind::Red:
            // Dark up to orange, rising around 600 nm.
            return 0.04 + 0.82 * logistic((nm - 600.0) / 12.0);
        case Kind::Cyan:
            // Bright from blue to green, with edges at 410 and 575 nm.
            return 0.05 + 0.65 * logistic((nm - 410.0) / 15.0) * logistic((575.0 - nm) / 14.0);
    }
    return 1.0;
}

}  // namespace rx9100sim
