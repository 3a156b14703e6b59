// Colour values against published CIE figures. Tolerances are stated per test; they allow
// for the 380 to 780 nm range the instrument measures, which published values exceed.
#include <gtest/gtest.h>

#include "TestSpectra.h"
#include "tintcalc/Colorimetry.h"
#include "tintcalc/Observer.h"
#include "tintcalc/PlanckianLocus.h"

namespace tintcalc {
namespace {

using test::illuminant;
using test::line;
using test::planck;

struct Published {
    const char* name;
    int column;
    int observer;
    double x;
    double y;
};

class IlluminantChromaticity : public testing::TestWithParam<Published> {};

TEST_P(IlluminantChromaticity, MatchesPublishedWithin2e4) {
    const Published& p = GetParam();
    const ColorResult r = computeSpectrum(illuminant(p.column), 1, 380, 780, p.observer);
    EXPECT_NEAR(r.x, p.x, 2e-4) << p.name;
    EXPECT_NEAR(r.y, p.y, 2e-4) << p.name;
    EXPECT_NEAR(r.uPrime, 4 * p.x / (-2 * p.x + 12 * p.y + 3), 2e-4) << p.name;
    EXPECT_DOUBLE_EQ(r.Lv, r.Y);
}

INSTANTIATE_TEST_SUITE_P(Cie, IlluminantChromaticity,
                         testing::Values(Published{"A 2", 0, 2, 0.44757, 0.40745},
                                         Published{"A 10", 0, 10, 0.45117, 0.40594},
                                         Published{"D65 2", 1, 2, 0.31271, 0.32902},
                                         Published{"D65 10", 1, 10, 0.31382, 0.33100}));

TEST(Tristimulus, UsesThePhotometricConstantOverOneNanometreSteps) {
    // Sum of ybar over 380..780 nm is 106.8564 for the 1931 observer.
    const ColorResult r = computeSpectrum(illuminant(2), 1, 380, 780, 2);
    EXPECT_NEAR(r.Y, 683.0 * 106.8564, 683.0 * 1e-4);
    EXPECT_NEAR(r.x, 1.0 / 3.0, 1e-4);
}

TEST(Temperature, PlanckianRadiatorsKeepTheirTemperature) {
    for (double kelvin = 2000.0; kelvin <= 20000.0; kelvin += 500.0) {
        for (int observer : {2, 10}) {
            const ColorResult r = computeSpectrum(planck(kelvin), 1, 380, 780, observer);
            EXPECT_NEAR(r.cct, kelvin, 0.5) << kelvin << " K, observer " << observer;
            EXPECT_NEAR(r.duv, 0.0, 2e-5) << kelvin << " K, observer " << observer;
        }
    }
}

TEST(Temperature, D65IsNear6504KelvinAboveTheLocus) {
    const ColorResult r = computeSpectrum(illuminant(1), 1, 380, 780, 2);
    EXPECT_NEAR(r.cct, 6504.0, 2.0);
    EXPECT_NEAR(r.duv, 0.0032, 1e-4);
}

TEST(Temperature, IlluminantAIs2856Kelvin) {
    const ColorResult r = computeSpectrum(illuminant(0), 1, 380, 780, 2);
    EXPECT_NEAR(r.cct, 2856.0, 2.0);
    EXPECT_NEAR(r.duv, 0.0, 1e-4);
}

TEST(Temperature, OffsetAlongTheNormalGivesThatDuv) {
    // A point moved 0.01 perpendicular to the locus must come back with its temperature.
    const PlanckianLocus& locus = PlanckianLocus::forObserver(Observer::Cie1931);
    const UvPoint a = locus.exact(4999.0), b = locus.exact(5001.0), p = locus.exact(5000.0);
    const double tu = a.u - b.u, tv = a.v - b.v, len = std::hypot(tu, tv);
    const auto t = locus.temperature(p.u - 0.01 * tv / len, p.v + 0.01 * tu / len);
    ASSERT_TRUE(t);
    EXPECT_NEAR(t->kelvin, 5000.0, 0.5);
    EXPECT_NEAR(t->duv, 0.01, 1e-6);
}

TEST(Temperature, FullRangeLocusMatchesRobertsonsTable) {
    // Robertson's u, v were computed over 360..830 nm and are given to 5 digits.
    const PlanckianLocus full(cie::kObserver2, 360, 830);
    for (const auto& line : cie::kRobertson) {
        if (line.mired < 10.0) {
            continue;  // infinite temperature
        }
        const UvPoint p = full.exact(1e6 / line.mired);
        EXPECT_NEAR(p.u, line.u, 1e-5) << line.mired;
        EXPECT_NEAR(p.v, line.v, 1e-5) << line.mired;
    }
}

TEST(DominantWavelength, NarrowLineGivesItsWavelengthAtFullPurity) {
    for (int nm : {450, 500, 550, 600}) {
        for (int observer : {2, 10}) {
            const ColorResult r = computeSpectrum(line(nm), 1, 380, 780, observer);
            EXPECT_NEAR(r.dominantWavelength, nm, 0.5) << nm << " nm, observer " << observer;
            EXPECT_FALSE(r.complementary);
            EXPECT_NEAR(r.purity, 1.0, 1e-6);
        }
    }
}

TEST(DominantWavelength, MixtureOfLineAndWhiteHasPartialPurity) {
    std::vector<double> s = illuminant(2);
    s[550 - 380] += 50.0;
    const ColorResult r = computeSpectrum(s, 1, 380, 780, 2);
    EXPECT_NEAR(r.dominantWavelength, 550.0, 0.5);
    EXPECT_GT(r.purity, 0.05);
    EXPECT_LT(r.purity, 0.95);
}

TEST(DominantWavelength, PurpleIsNamedByItsComplementaryWavelength) {
    std::vector<double> s = line(420);
    s[680 - 380] = 20.0;
    const ColorResult r = computeSpectrum(s, 1, 380, 780, 2);
    EXPECT_TRUE(r.complementary);
    EXPECT_LT(r.dominantWavelength, -490.0);
    EXPECT_GT(r.dominantWavelength, -580.0);
    EXPECT_GT(r.purity, 0.0);
    EXPECT_LE(r.purity, 1.0 + 1e-9);
}

TEST(Grid, FiveNanometreSamplingOfASmoothSpectrumAgrees) {
    const std::vector<double> fine = illuminant(0);
    std::vector<double> coarse;
    for (std::size_t i = 0; i < fine.size(); i += 5) {
        coarse.push_back(fine[i]);
    }
    const ColorResult a = computeSpectrum(fine, 1, 380, 780, 2);
    const ColorResult b = computeSpectrum(coarse, 5, 380, 780, 2);
    EXPECT_NEAR(b.Y / a.Y, 1.0, 1e-3);
    EXPECT_NEAR(b.x, a.x, 1e-4);
    EXPECT_NEAR(b.cct, a.cct, 2.0);
}

TEST(Grid, UndescribedGridMeansTheInstrumentGrid) {
    const ColorResult a = computeSpectrum(illuminant(1), 1, 380, 780, 2);
    const ColorResult b = computeSpectrum(illuminant(1), 0, 0, 0, 2);
    EXPECT_DOUBLE_EQ(a.Y, b.Y);
    EXPECT_DOUBLE_EQ(a.cct, b.cct);
}

TEST(ColorimetricRecord, LvxyGivesTheSameQuantitiesAsItsSpectrum) {
    for (int observer : {2, 10}) {
        const ColorResult s = computeSpectrum(illuminant(0), 1, 380, 780, observer);
        const ColorResult r = computeLvxy(s.Lv, s.x, s.y, observer);
        EXPECT_NEAR(r.X, s.X, 1e-9 * s.X);
        EXPECT_NEAR(r.Z, s.Z, 1e-9 * s.Z);
        EXPECT_NEAR(r.uPrime, s.uPrime, 1e-12);
        EXPECT_NEAR(r.vPrime, s.vPrime, 1e-12);
        EXPECT_NEAR(r.cct, s.cct, 1e-6);
        EXPECT_NEAR(r.duv, s.duv, 1e-9);
        EXPECT_NEAR(r.dominantWavelength, s.dominantWavelength, 1e-9);
        EXPECT_NEAR(r.purity, s.purity, 1e-9);
    }
}

TEST(ColorimetricRecord, ObserverChoosesTheLocus) {
    // The same chromaticity lies at different temperatures for the two observers.
    const ColorResult two = computeLvxy(100.0, 0.3457, 0.3585, 2);
    const ColorResult ten = computeLvxy(100.0, 0.3457, 0.3585, 10);
    EXPECT_NEAR(two.cct, 5000.0, 20.0);
    EXPECT_GT(std::fabs(two.cct - ten.cct), 10.0);
}

}  // namespace
}  // namespace tintcalc
