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

TEST(Undefined, UnusableSpectraGiveNothing) {
    std::vector<double> withNaN = test::illuminant(1);
    withNaN[200] = kNaN;
    std::vector<double> withInf = test::illuminant(1);
    withInf[10] = -kInf;
    const int big = std::numeric_limits<int>::max();
    const struct {
        const char* what;
        std::vector<double> values;
        int pitch, shortNm, longNm;
    } cases[] = {{"empty", {}, 1, 380, 780},
                 {"NaN", withNaN, 1, 380, 780},
                 {"infinity", withInf, 1, 380, 780},
                 {"overflow", std::vector<double>(401, 1e306), 1, 380, 780},
                 {"short", std::vector<double>(400, 1.0), 1, 380, 780},
                 {"reversed", test::illuminant(1), -1, 780, 380},
                 {"ragged grid", test::illuminant(1), 3, 380, 780},
                 {"huge span", {1.0}, 1, -big - 1, big}};
    for (const auto& c : cases) {
        for (double value : all(computeSpectrum(c.values, c.pitch, c.shortNm, c.longNm, 2))) {
            EXPECT_EQ(value, kUndefined) << c.what;
        }
    }
}

TEST(Undefined, NoLightOrNoiseNeverGivesNaN) {
    const ColorResult dark = computeSpectrum(std::vector<double>(401, 0.0), 1, 380, 780, 2);
    EXPECT_EQ(dark.Lv, 0.0);
    EXPECT_EQ(dark.x, kUndefined);
    EXPECT_EQ(dark.cct, kUndefined);
    EXPECT_FALSE(dark.complementary);
    EXPECT_EQ(computeSpectrum(std::vector<double>(401, -1.0), 1, 380, 780, 2).x, kUndefined);

    std::vector<double> noise(401);
    for (std::size_t i = 0; i < noise.size(); ++i) {
        noise[i] = std::sin(static_cast<double>(i) * 0.7) * 1e-3;
    }
    for (const ColorResult& r :
         {computeSpectrum(noise, 1, 380, 780, 2), computeSpectrum(test::line(780), 1, 380, 780, 2),
          computeSpectrum(std::vector<double>(401, 1e-300), 1, 380, 780, 10),
          computeLvxy(100.0, kInf, 0.3, 2), computeLvxy(-5.0, -0.2, 0.5, 10),
          computeXyz(kNaN, 1.0, 1.0, 2)}) {
        for (double value : all(r)) {
            EXPECT_TRUE(std::isfinite(value));
        }
    }
}

TEST(Undefined, QuantitiesOutsideTheirDomain) {
    // A saturated green is far from the locus; a 900 K radiator is below the range.
    const ColorResult green = computeSpectrum(test::line(520), 1, 380, 780, 2);
    EXPECT_EQ(green.cct, kUndefined);
    EXPECT_EQ(green.duv, kUndefined);
    EXPECT_NE(green.dominantWavelength, kUndefined);
    EXPECT_EQ(computeSpectrum(test::planck(900.0), 1, 380, 780, 2).cct, kUndefined);

    const ColorResult zeroY = computeLvxy(100.0, 0.3, 0.0, 2);
    EXPECT_EQ(zeroY.Lv, 100.0);
    EXPECT_EQ(zeroY.X, kUndefined);
    EXPECT_EQ(zeroY.x, kUndefined);
    // The white itself has no hue but is perfectly unsaturated.
    const ColorResult white = computeSpectrum(test::illuminant(2), 1, 380, 780, 2);
    EXPECT_EQ(white.dominantWavelength, kUndefined);
    EXPECT_NEAR(white.purity, 0.0, 1e-9);
}

}  // namespace
}  // namespace tintcalc
