// Whatever arrives, every quantity is a finite number or the undefined marker.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "TestSpectra.h"
#include "tintcalc/Colorimetry.h"

namespace tintcalc {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::vector<double> all(const ColorResult& r) {
    return {r.X,
            r.Y,
            r.Z,
            r.Lv,
            r.x,
            r.y,
            r.u,
            r.v,
            r.uPrime,
            r.vPrime,
            r.cct,
            r.duv,
            r.dominantWavelength,
            r.purity};
}

void expectNeverNaN(const ColorResult& r, const std::string& what) {
    for (double value : all(r)) {
        EXPECT_TRUE(std::isfinite(value)) << what;
    }
}

void expectAllUndefined(const ColorResult& r, const std::string& what) {
    for (double value : all(r)) {
        EXPECT_EQ(value, kUndefined) << what;
    }
}

TEST(Undefined, MarkerIsTheLargestFloat) {
    EXPECT_EQ(kUndefined, static_cast<double>(std::numeric_limits<float>::max()));
    EXPECT_EQ(kUndefined, 3.4028234663852886e38);
}

TEST(Undefined, UnusableSpectraGiveNothing) {
    std::vector<double> withNaN = test::illuminant(1);
    withNaN[200] = kNaN;
    std::vector<double> withInf = test::illuminant(1);
    withInf[10] = -kInf;
    const std::vector<double> overflow(401, 1e306);
    expectAllUndefined(computeSpectrum({}, 1, 380, 780, 2), "empty");
    expectAllUndefined(computeSpectrum(withNaN, 1, 380, 780, 2), "NaN");
    expectAllUndefined(computeSpectrum(withInf, 1, 380, 780, 2), "infinity");
    expectAllUndefined(computeSpectrum(overflow, 1, 380, 780, 2), "overflow");
    expectAllUndefined(computeSpectrum(std::vector<double>(400, 1.0), 1, 380, 780, 2), "short");
    expectAllUndefined(computeSpectrum(test::illuminant(1), -1, 780, 380, 2), "reversed");
    expectAllUndefined(computeSpectrum(test::illuminant(1), 3, 380, 780, 2), "ragged grid");
    expectAllUndefined(computeSpectrum({1.0}, 1, std::numeric_limits<int>::min(),
                                       std::numeric_limits<int>::max(), 2),
                       "huge span");
}

TEST(Undefined, NoLightHasTristimulusValuesButNoColour) {
    const ColorResult dark = computeSpectrum(std::vector<double>(401, 0.0), 1, 380, 780, 2);
    EXPECT_EQ(dark.Y, 0.0);
    EXPECT_EQ(dark.Lv, 0.0);
    EXPECT_EQ(dark.x, kUndefined);
    EXPECT_EQ(dark.cct, kUndefined);
    EXPECT_EQ(dark.dominantWavelength, kUndefined);
    EXPECT_FALSE(dark.complementary);

    const ColorResult negative = computeSpectrum(std::vector<double>(401, -1.0), 1, 380, 780, 2);
    EXPECT_LT(negative.Y, 0.0);
    EXPECT_EQ(negative.x, kUndefined);
    expectNeverNaN(negative, "negative");
}

TEST(Undefined, NoisySpectraNeverGiveNaN) {
    std::vector<double> s(401);
    for (std::size_t i = 0; i < s.size(); ++i) {
        s[i] = std::sin(static_cast<double>(i) * 0.7) * 1e-3;  // noise around zero
    }
    expectNeverNaN(computeSpectrum(s, 1, 380, 780, 2), "noise");
    expectNeverNaN(computeSpectrum(std::vector<double>(401, 1e-300), 1, 380, 780, 10), "tiny");
    expectNeverNaN(computeSpectrum(test::line(780), 1, 380, 780, 2), "deep red");
}

TEST(Undefined, TemperatureOutsideItsRangeIsUndefined) {
    // A saturated green is far from the locus; a 900 K radiator is below the range.
    const ColorResult green = computeSpectrum(test::line(520), 1, 380, 780, 2);
    EXPECT_EQ(green.cct, kUndefined);
    EXPECT_EQ(green.duv, kUndefined);
    EXPECT_NE(green.dominantWavelength, kUndefined);
    EXPECT_EQ(computeSpectrum(test::planck(900.0), 1, 380, 780, 2).cct, kUndefined);
}

TEST(Undefined, ColourValuesOutsideTheirDomain) {
    expectAllUndefined(computeLvxy(kNaN, 0.3, 0.3, 2), "NaN luminance");
    const ColorResult zeroY = computeLvxy(100.0, 0.3, 0.0, 2);
    EXPECT_EQ(zeroY.Lv, 100.0);
    EXPECT_EQ(zeroY.X, kUndefined);
    EXPECT_EQ(zeroY.x, kUndefined);
    expectNeverNaN(computeLvxy(100.0, kInf, 0.3, 2), "infinite x");
    expectNeverNaN(computeLvxy(-5.0, -0.2, 0.5, 10), "negative");
    expectNeverNaN(computeXyz(kNaN, 1.0, 1.0, 2), "NaN X");
    // The white itself has no hue but is perfectly unsaturated.
    const ColorResult white = computeSpectrum(test::illuminant(2), 1, 380, 780, 2);
    EXPECT_EQ(white.dominantWavelength, kUndefined);
    EXPECT_NEAR(white.purity, 0.0, 1e-9);
}

}  // namespace
}  // namespace tintcalc
