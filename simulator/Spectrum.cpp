#include "simulator/Spectrum.h"

#include <cctype>
#include <cmath>

#include "ciedata/CieTables.h"
#include "simulator/HexFloat.h"

namespace rx9100sim {
namespace {

constexpr double kKm = 683.0;

double wavelength(int index) {
    return kFirstNm + index;
}

Spectrum gaussian(double peakNm, double fwhmNm) {
    const double sigma = fwhmNm / 2.354820045;
    Spectrum s{};
    for (int i = 0; i < kPoints; ++i) {
        const double d = (wavelength(i) - peakNm) / sigma;
        s[i] = std::exp(-0.5 * d * d);
    }
    return s;
}

Spectrum illuminant(int column) {
    Spectrum s{};
    for (int i = 0; i < kPoints; ++i) {
        s[i] = cie::kIlluminants.at(kFirstNm + i)[column];
    }
    return s;
}

Spectrum planck(double kelvin) {
    constexpr double c2 = 1.4388e-2;  // m·K
    Spectrum s{};
    const auto at = [&](double nm) {
        const double m = nm * 1e-9;
        return 1.0 / (std::pow(m, 5) * (std::exp(c2 / (m * kelvin)) - 1.0));
    };
    const double norm = at(560.0);
    for (int i = 0; i < kPoints; ++i) {
        s[i] = 100.0 * at(wavelength(i)) / norm;
    }
    return s;
}

// Phosphor-like primaries of an LED-backlit display.
Spectrum displayRed() {
    return gaussian(615.0, 22.0);
}
Spectrum displayGreen() {
    return gaussian(535.0, 38.0);
}
Spectrum displayBlue() {
    return gaussian(455.0, 22.0);
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

// The mix of the three primaries whose white point is D65 (x 0.3127, y 0.3290).
Spectrum displayWhite() {
    const Spectrum prim[3] = {displayRed(), displayGreen(), displayBlue()};
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
    Spectrum white{};
    for (int c = 0; c < 3; ++c) {
        double mc[3][3];
        for (int r = 0; r < 3; ++r) {
            for (int k = 0; k < 3; ++k) {
                mc[r][k] = k == c ? target[r] : m[r][k];
            }
        }
        const double weight = det(mc) / d;
        for (int i = 0; i < kPoints; ++i) {
            white[i] += weight * prim[c][i];
        }
    }
    return white;
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
    }
    return "d65";
}

Spectrum relativeSpectrum(const LightSource& source) {
    switch (source.kind) {
        case LightSource::Kind::IlluminantA:
            return illuminant(0);
        case LightSource::Kind::D65:
            return illuminant(1);
        case LightSource::Kind::E:
            return illuminant(2);
        case LightSource::Kind::Planck:
            return planck(source.temperatureK);
        case LightSource::Kind::Led:
            return gaussian(source.peakNm, source.fwhmNm);
        case LightSource::Kind::DisplayRed:
            return displayRed();
        case LightSource::Kind::DisplayGreen:
            return displayGreen();
        case LightSource::Kind::DisplayBlue:
            return displayBlue();
        case LightSource::Kind::DisplayWhite:
            return displayWhite();
    }
    return illuminant(1);
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
