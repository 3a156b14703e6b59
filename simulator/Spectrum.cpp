#include "simulator/Spectrum.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>

#include "ciedata/CieTables.h"
#include "simulator/HexFloat.h"

namespace rx9100sim {
namespace {

constexpr double kKm = 683.0;

double wavelength(int index) {
    return kFirstNm + index;
}

double gaussianAt(double nm, double peakNm, double fwhmNm) {
    const double d = (nm - peakNm) / (fwhmNm / 2.354820045);
    return std::exp(-0.5 * d * d);
}

// Illuminant tables at 1 nm, read between their rows linearly and held at their ends.
double illuminantAt(double nm, int column) {
    const double x = std::clamp(nm, double(kFirstNm), double(kFirstNm + kPoints - 1));
    const int below = std::min(static_cast<int>(std::floor(x)), kFirstNm + kPoints - 2);
    const double f = x - below;
    return cie::kIlluminants.at(below)[column] * (1.0 - f) +
           cie::kIlluminants.at(below + 1)[column] * f;
}

double planckAt(double nm, double kelvin) {
    constexpr double c2 = 1.4388e-2;  // m·K
    const auto at = [&](double n) {
        const double m = n * 1e-9;
        return 1.0 / (std::pow(m, 5) * (std::exp(c2 / (m * kelvin)) - 1.0));
    };
    return 100.0 * at(nm) / at(560.0);
}

// Phosphor-like primaries of an LED-backlit display.
double displayRedAt(double nm) {
    return gaussianAt(nm, 615.0, 22.0);
}
double displayGreenAt(double nm) {
    return gaussianAt(nm, 535.0, 38.0);
}
double displayBlueAt(double nm) {
    return gaussianAt(nm, 455.0, 22.0);
}

// Narrow peaks of the instrument's bandwidth on a faint continuum.
double linesAt(double nm, const std::vector<EmissionLine>& lines) {
    double strongest = 0;
    double v = 0;
    for (const EmissionLine& line : lines) {
        v += line.strength * gaussianAt(nm, line.nm, kLineBandwidthNm);
        strongest = std::max(strongest, line.strength);
    }
    return v + kLineBackground * strongest;
}

Spectrum sampled(const std::function<double(double)>& at) {
    Spectrum s{};
    for (int i = 0; i < kPoints; ++i) {
        s[i] = at(wavelength(i));
    }
    return s;
}

std::array<double, 3> tristimulus(const Spectrum& s, bool tenDegree) {
    const cie::SpectralTable& cmf = tenDegree ? cie::kObserver10 : cie::kObserver2;
    std::array<double, 3> xyz{};
    for (int i = 0; i < kPoints; ++i) {
        const auto& row = cmf.at(kFirstNm + i);
        for (int k = 0; k < 3; ++k) {
            xyz[k] += kKm * s[i] * row[k];
        }
    }
    return xyz;
}

// Weights of the three primaries whose mix has the white point D65 (x 0.3127, y 0.3290).
std::array<double, 3> displayWhiteWeights() {
    const Spectrum prim[3] = {sampled(displayRedAt), sampled(displayGreenAt),
                              sampled(displayBlueAt)};
    double m[3][3];
    for (int c = 0; c < 3; ++c) {
        const auto xyz = tristimulus(prim[c], false);
        for (int r = 0; r < 3; ++r) {
            m[r][c] = xyz[r];
        }
    }
    const double target[3] = {0.3127 / 0.3290, 1.0, (1.0 - 0.3127 - 0.3290) / 0.3290};
    // Cramer's rule for the weights of the three primaries.
    const auto det = [](const double a[3][3]) {
        return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
               a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
               a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    };
    const double d = det(m);
    std::array<double, 3> weights{};
    for (int c = 0; c < 3; ++c) {
        double mc[3][3];
        for (int r = 0; r < 3; ++r) {
            for (int k = 0; k < 3; ++k) {
                mc[r][k] = k == c ? target[r] : m[r][k];
            }
        }
        weights[c] = det(mc) / d;
    }
    return weights;
}

double displayWhiteAt(double nm) {
    static const std::array<double, 3> w = displayWhiteWeights();
    return w[0] * displayRedAt(nm) + w[1] * displayGreenAt(nm) + w[2] * displayBlueAt(nm);
}

// "HG" or wavelengths separated by commas, each within the instrument's range.
std::optional<std::vector<EmissionLine>> parseLines(std::string_view text) {
    if (text == "hg") {
        return mercuryArgonLines();
    }
    std::vector<EmissionLine> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto comma = std::min(text.find(',', start), text.size());
        const auto nm = parseDecimal(text.substr(start, comma - start));
        if (!nm || *nm < kFirstNm || *nm > kFirstNm + kPoints - 1 || lines.size() >= kMaxLines) {
            return std::nullopt;
        }
        lines.push_back({*nm, 1.0});
        start = comma + 1;
    }
    return lines;
}

}  // namespace

std::optional<LightSource> LightSource::parse(std::string_view text) {
    std::string lower;
    for (char c : text) {
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    std::string_view t = lower;
    LightSource s;
    if (t == "a") {
        s.kind = Kind::IlluminantA;
    } else if (t == "d65") {
        s.kind = Kind::D65;
    } else if (t == "e") {
        s.kind = Kind::E;
    } else if (t == "red") {
        s.kind = Kind::DisplayRed;
    } else if (t == "green") {
        s.kind = Kind::DisplayGreen;
    } else if (t == "blue") {
        s.kind = Kind::DisplayBlue;
    } else if (t == "white") {
        s.kind = Kind::DisplayWhite;
    } else if (t.starts_with("planck:")) {
        const auto k = parseDecimal(t.substr(7));
        if (!k || *k < 500.0 || *k > 100000.0) {
            return std::nullopt;
        }
        s.kind = Kind::Planck;
        s.temperatureK = *k;
    } else if (t.starts_with("lines:")) {
        auto lines = parseLines(t.substr(6));
        if (!lines) {
            return std::nullopt;
        }
        s.kind = Kind::Lines;
        s.lines = std::move(*lines);
    } else if (t.starts_with("led:")) {
        std::string_view rest = t.substr(4);
        const auto colon = rest.find(':');
        const auto peak = parseDecimal(rest.substr(0, colon));
        std::optional<double> fwhm = 30.0;
        if (colon != std::string_view::npos) {
            fwhm = parseDecimal(rest.substr(colon + 1));
        }
        if (!peak || !fwhm || *peak < 380.0 || *peak > 780.0 || *fwhm < 1.0 || *fwhm > 200.0) {
            return std::nullopt;
        }
        s.kind = Kind::Led;
        s.peakNm = *peak;
        s.fwhmNm = *fwhm;
    } else {
        return std::nullopt;
    }
    return s;
}

std::string LightSource::describe() const {
    switch (kind) {
        case Kind::IlluminantA:
            return "a";
        case Kind::D65:
            return "d65";
        case Kind::E:
            return "e";
        case Kind::Planck:
            return "planck:" + toFixed(temperatureK, 0);
        case Kind::Led:
            return "led:" + toFixed(peakNm, 1) + ":" + toFixed(fwhmNm, 1);
        case Kind::DisplayRed:
            return "red";
        case Kind::DisplayGreen:
            return "green";
        case Kind::DisplayBlue:
            return "blue";
        case Kind::DisplayWhite:
            return "white";
        case Kind::Lines: {
            if (lines == mercuryArgonLines()) {
                return "lines:HG";
            }
            std::string text = "lines:";
            for (std::size_t i = 0; i < lines.size(); ++i) {
                text += (i ? "," : "") + toFixed(lines[i].nm, 3);
            }
            return text;
        }
    }
    return "d65";
}

const std::vector<EmissionLine>& mercuryArgonLines() {
    // A mercury-argon calibration lamp: the mercury lines, then the strongest argon lines of
    // the red end, with believable relative strengths.
    static const std::vector<EmissionLine> lines = {
        {404.656, 0.45}, {435.833, 0.85}, {546.074, 1.00}, {576.960, 0.30}, {579.066, 0.32},
        {696.543, 0.25}, {706.722, 0.20}, {738.398, 0.22}, {750.387, 0.35}, {763.511, 0.50}};
    return lines;
}

double relativeAt(const LightSource& source, double nm) {
    switch (source.kind) {
        case LightSource::Kind::IlluminantA:
            return illuminantAt(nm, 0);
        case LightSource::Kind::D65:
            return illuminantAt(nm, 1);
        case LightSource::Kind::E:
            return illuminantAt(nm, 2);
        case LightSource::Kind::Planck:
            return planckAt(nm, source.temperatureK);
        case LightSource::Kind::Led:
            return gaussianAt(nm, source.peakNm, source.fwhmNm);
        case LightSource::Kind::DisplayRed:
            return displayRedAt(nm);
        case LightSource::Kind::DisplayGreen:
            return displayGreenAt(nm);
        case LightSource::Kind::DisplayBlue:
            return displayBlueAt(nm);
        case LightSource::Kind::DisplayWhite:
            return displayWhiteAt(nm);
        case LightSource::Kind::Lines:
            return linesAt(nm, source.lines);
    }
    return illuminantAt(nm, 1);
}

Spectrum relativeSpectrum(const LightSource& source) {
    return sampled([&](double nm) { return relativeAt(source, nm); });
}

double luminanceOf(const Spectrum& radiance) {
    return tristimulus(radiance, false)[1];
}

Spectrum radianceAt(const LightSource& source, double luminance) {
    Spectrum s = relativeSpectrum(source);
    const double current = luminanceOf(s);
    const double k = current > 0 ? luminance / current : 0.0;
    for (double& v : s) {
        v *= k;
    }
    return s;
}

ColourValues colourOf(const Spectrum& radiance, bool tenDegree) {
    const auto xyz = tristimulus(radiance, tenDegree);
    const double sum = xyz[0] + xyz[1] + xyz[2];
    ColourValues c;
    c.lv = xyz[1];
    if (sum > 0) {
        c.x = xyz[0] / sum;
        c.y = xyz[1] / sum;
    }
    return c;
}

}  // namespace rx9100sim
