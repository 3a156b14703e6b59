// The lines of the chromaticity diagram: spectral locus, Planckian locus, isotemperature marks.
#include <gtest/gtest.h>

#include <cmath>

#include "ChromaticityGeometry.h"
#include "tintcalc/Observer.h"
#include "tintcalc/PlanckianLocus.h"

namespace {

using studio::ChromaticityPlane;

TEST(ChromaticityGeometry, SpectralLocusLiesWhereTheObserverPutsIt) {
    const auto xy = studio::spectralLocus(ChromaticityPlane::Xy, 2);
    ASSERT_FALSE(xy.empty());
    EXPECT_EQ(xy.front().nm, 380);
    EXPECT_EQ(xy.back().nm, 700);
    for (const auto& point : xy) {
        if (point.nm == 520) {  // the green tip of the CIE 1931 locus
            EXPECT_NEAR(point.p.a, 0.0743, 0.001);
            EXPECT_NEAR(point.p.b, 0.8338, 0.001);
        }
    }
    // u'v' of the same point: 4x/(-2x+12y+3), 9y/(-2x+12y+3).
    const auto uv = studio::spectralLocus(ChromaticityPlane::UvPrime, 2);
    ASSERT_EQ(uv.size(), xy.size());
    const double d = -2 * xy[28].p.a + 12 * xy[28].p.b + 3;
    EXPECT_NEAR(uv[28].p.a, 4 * xy[28].p.a / d, 1e-12);
    EXPECT_NEAR(uv[28].p.b, 9 * xy[28].p.b / d, 1e-12);
    // The 10° observer's locus differs.
    const auto ten = studio::spectralLocus(ChromaticityPlane::Xy, 10);
    EXPECT_GT(std::abs(ten[28].p.a - xy[28].p.a), 1e-4);
}

TEST(ChromaticityGeometry, PlanckianLocusAndIsotemperatureMarksAgreeWithTheColourLibrary) {
    const auto locus = studio::planckianLocus(ChromaticityPlane::Xy, 2);
    ASSERT_GT(locus.size(), 100u);
    // 1000 K first, close to (0.6528, 0.3444); the hot end heads for (0.24, 0.23).
    EXPECT_NEAR(locus.front().a, 0.6528, 0.002);
    EXPECT_NEAR(locus.front().b, 0.3444, 0.002);
    EXPECT_LT(locus.back().a, 0.26);

    const auto& reference = tintcalc::PlanckianLocus::forObserver(tintcalc::Observer::Cie1931);
    const auto lines = studio::isotemperatureLines(ChromaticityPlane::UvPrime, 2);
    ASSERT_FALSE(lines.empty());
    for (const auto& line : lines) {
        // Both ends have the line's temperature, one below and one above the locus.
        const auto low = reference.temperature(line.from.a, line.from.b / 1.5);
        const auto high = reference.temperature(line.to.a, line.to.b / 1.5);
        ASSERT_TRUE(low && high) << line.kelvin;
        EXPECT_NEAR(low->kelvin, line.kelvin, line.kelvin * 0.003) << line.kelvin;
        EXPECT_NEAR(high->kelvin, line.kelvin, line.kelvin * 0.003) << line.kelvin;
        EXPECT_NEAR(low->duv, -0.02, 1e-3) << line.kelvin;
        EXPECT_NEAR(high->duv, 0.02, 1e-3) << line.kelvin;
    }
}

}  // namespace
