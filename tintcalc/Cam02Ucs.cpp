#include "tintcalc/Cam02Ucs.h"

#include <array>
#include <cmath>

namespace tintcalc {
namespace {

using Matrix = std::array<std::array<double, 3>, 3>;

// Viewing conditions of the fidelity index.
constexpr double kAdaptingLuminance = 100.0;  // LA, cd/m²
constexpr double kBackgroundY = 20.0;         // Yb
constexpr double kSurroundC = 0.69;           // average surround: F = 1, c = 0.69, Nc = 1
constexpr double kSurroundNc = 1.0;

constexpr Matrix kCat02 = {{{0.7328, 0.4296, -0.1624},  //
                            {-0.7036, 1.6975, 0.0061},
                            {0.0030, 0.0136, 0.9834}}};
constexpr Matrix kHuntPointerEstevez = {{{0.38971, 0.68898, -0.07868},  //
                                         {-0.22981, 1.18340, 0.04641},
                                         {0.0, 0.0, 1.0}}};

Matrix multiply(const Matrix& a, const Matrix& b) {
    Matrix m{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            for (int k = 0; k < 3; ++k) {
                m[i][j] += a[i][k] * b[k][j];
            }
        }
    }
    return m;
}

Matrix inverse(const Matrix& m) {
    const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                       m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                       m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    Matrix r{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            // Cofactor of (j, i) over the determinant.
            const int r0 = (j + 1) % 3, r1 = (j + 2) % 3, c0 = (i + 1) % 3, c1 = (i + 2) % 3;
            r[i][j] = (m[r0][c0] * m[r1][c1] - m[r0][c1] * m[r1][c0]) / det;
        }
    }
    return r;
}

// From CAT02-adapted RGB to the Hunt-Pointer-Estevez cone space.
const Matrix& adaptedToCone() {
    static const Matrix m = multiply(kHuntPointerEstevez, inverse(kCat02));
    return m;
}

std::array<double, 3> apply(const Matrix& m, double x, double y, double z) {
    return {m[0][0] * x + m[0][1] * y + m[0][2] * z, m[1][0] * x + m[1][1] * y + m[1][2] * z,
            m[2][0] * x + m[2][1] * y + m[2][2] * z};
}

double luminanceAdaptation() {
    const double k = 1.0 / (5.0 * kAdaptingLuminance + 1.0);
    const double k4 = k * k * k * k;
    return 0.2 * k4 * (5.0 * kAdaptingLuminance) +
           0.1 * (1.0 - k4) * (1.0 - k4) * std::cbrt(5.0 * kAdaptingLuminance);
}

const double kFl = luminanceAdaptation();
const double kFl4 = std::pow(kFl, 0.25);

// Post-adaptation compression, odd in its argument.
double compress(double v) {
    const double p = std::pow(kFl * std::fabs(v) / 100.0, 0.42);
    return std::copysign(400.0 * p / (27.13 + p), v) + 0.1;
}

}  // namespace

Cam02Ucs::Cam02Ucs(const Xyz& white) {
    const auto rgb = apply(kCat02, white.X, white.Y, white.Z);
    // Complete adaptation (D = 1): the white maps to equal responses Yw.
    gainR_ = white.Y / rgb[0];
    gainG_ = white.Y / rgb[1];
    gainB_ = white.Y / rgb[2];
    backgroundRatio_ = kBackgroundY / white.Y;
    inductionFactor_ = 0.725 * std::pow(1.0 / backgroundRatio_, 0.2);
    exponentZ_ = 1.48 + std::sqrt(backgroundRatio_);
    const Response w = adaptedResponse(white);
    achromaticWhite_ = (2.0 * w.r + w.g + w.b / 20.0 - 0.305) * inductionFactor_;
}

Cam02Ucs::Response Cam02Ucs::adaptedResponse(const Xyz& colour) const {
    const auto rgb = apply(kCat02, colour.X, colour.Y, colour.Z);
    const auto cone = apply(adaptedToCone(), rgb[0] * gainR_, rgb[1] * gainG_, rgb[2] * gainB_);
    return {compress(cone[0]), compress(cone[1]), compress(cone[2])};
}

Cam02UcsColour Cam02Ucs::operator()(const Xyz& colour) const {
    const Response r = adaptedResponse(colour);
    const double a = r.r - 12.0 * r.g / 11.0 + r.b / 11.0;
    const double b = (r.r + r.g - 2.0 * r.b) / 9.0;
    const double radius = std::hypot(a, b);
    const double hue = std::atan2(b, a);
    const double eccentricity = 0.25 * (std::cos(hue + 2.0) + 3.8);
    const double achromatic = (2.0 * r.r + r.g + r.b / 20.0 - 0.305) * inductionFactor_;
    const double lightness =
        100.0 * std::pow(achromatic / achromaticWhite_, kSurroundC * exponentZ_);
    const double t = (50000.0 / 13.0 * kSurroundNc * inductionFactor_ * eccentricity * radius) /
                     (r.r + r.g + 21.0 / 20.0 * r.b);
    const double chroma = std::pow(t, 0.9) * std::sqrt(lightness / 100.0) *
                          std::pow(1.64 - std::pow(0.29, backgroundRatio_), 0.73);
    const double colourfulness = chroma * kFl4;

    const double mPrime = std::log1p(0.0228 * colourfulness) / 0.0228;
    Cam02UcsColour out;
    out.j = 1.7 * lightness / (1.0 + 0.007 * lightness);
    out.a = radius > 0.0 ? mPrime * a / radius : 0.0;
    out.b = radius > 0.0 ? mPrime * b / radius : 0.0;
    return out;
}

}  // namespace tintcalc
