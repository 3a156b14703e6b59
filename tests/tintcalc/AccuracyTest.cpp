// Colour values against published CIE figures. Tolerances are stated per test; they allow
// for the 380 to 780 nm range the instrument measures, which published values exceed.
#include <gtest/gtest.h>

#include "TestSpectra.h"
#include "tintcalc/Colorimetry.h"
#include "tintcalc/PlanckianLocus.h"

namespace tintcalc {
namespace {

using test::illuminant;

TEST(Accuracy, IlluminantChromaticitiesWithin2e4) {
    struct Published {
        int column, observer;
        double x, y;
    };
    for (const Published& p : {Published{0, 2, 0.44757, 0.40745},
                               {0, 10, 0.45117, 0.40594},
                               {1, 2, 0.31271, 0.32902},
                               {1, 10, 0.31382, 0.33100}}) {
        const ColorResult r = computeSpectrum(illuminant(p.column), 1, 380, 780, p.observer);
        EXPECT_NEAR(r.x, p.x, 2e-4) << p.column << " " << p.observer;
        EXPECT_NEAR(r.y, p.y, 2e-4) << p.column << " " << p.observer;
        const double d = -2 * p.x + 12 * p.y + 3;
        EXPECT_NEAR(r.uPrime, 4 * p.x / d, 2e-4);
        EXPECT_NEAR(r.vPrime, 9 * p.y / d, 2e-4);
    }
    // Photometric scale: the 1931 ybar sums to 106.8564 over 380..780 nm.
    EXPECT_NEAR(computeSpectrum(illuminant(2), 1, 380, 780, 2).Lv, 683.0 * 106.8564, 0.1);
}

TEST(Accuracy, PlanckianRadiatorsWithinHalfAKelvinAndDuv2e5) {
    for (double kelvin = 2000.0; kelvin <= 20000.0; kelvin += 500.0) {
        for (int observer : {2, 10}) {
            const ColorResult r = computeSpectrum(test::planck(kelvin), 1, 380, 780, observer);
            EXPECT_NEAR(r.cct, kelvin, 0.5) << kelvin << " K, observer " << observer;
            EXPECT_NEAR(r.duv, 0.0, 2e-5) << kelvin << " K, observer " << observer;
        }
    }
}

TEST(Accuracy, IlluminantTemperatures) {
    const ColorResult d65 = computeSpectrum(illuminant(1), 1, 380, 780, 2);
    EXPECT_NEAR(d65.cct, 6504.0, 2.0);
    EXPECT_NEAR(d65.duv, 0.0032, 1e-4);
    EXPECT_NEAR(computeSpectrum(illuminant(0), 1, 380, 780, 2).cct, 2856.0, 2.0);
}

TEST(Accuracy, FullRangeLocusMatchesRobertsonsTable) {
    // Robertson's u, v were computed over 360..830 nm and are given to 5 digits.
    const PlanckianLocus full(cie::kObserver2, 360, 830);
    for (const auto& line : cie::kRobertson) {
        if (line.mired >= 10.0) {  // the first line is infinite temperature
            const UvPoint p = full.exact(1e6 / line.mired);
            EXPECT_NEAR(p.u, line.u, 1e-5) << line.mired;
            EXPECT_NEAR(p.v, line.v, 1e-5) << line.mired;
        }
    }
}

TEST(Accuracy, DominantWavelengthAndPurity) {
    for (int nm : {450, 500, 550, 600}) {
        for (int observer : {2, 10}) {
            const ColorResult r = computeSpectrum(test::line(nm), 1, 380, 780, observer);
            EXPECT_NEAR(r.dominantWavelength, nm, 0.5) << nm << " nm, observer " << observer;
            EXPECT_NEAR(r.purity, 1.0, 1e-6);
        }
    }
    std::vector<double> desaturated = illuminant(2);
    desaturated[550 - 380] += 50.0;
    const ColorResult d = computeSpectrum(desaturated, 1, 380, 780, 2);
    EXPECT_NEAR(d.dominantWavelength, 550.0, 0.5);
    EXPECT_TRUE(d.purity > 0.05 && d.purity < 0.95) << d.purity;

    // A purple is named by its complementary wavelength, as a negative number.
    std::vector<double> purple = test::line(420);
    purple[680 - 380] = 20.0;
    const ColorResult p = computeSpectrum(purple, 1, 380, 780, 2);
    EXPECT_TRUE(p.complementary);
    EXPECT_TRUE(p.dominantWavelength < -490.0 && p.dominantWavelength > -580.0);
    EXPECT_TRUE(p.purity > 0.0 && p.purity <= 1.0 + 1e-9) << p.purity;
}

TEST(Accuracy, OtherGrids) {
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
    // An undescribed grid (all zero) is the instrument's own.
    EXPECT_EQ(computeSpectrum(fine, 0, 0, 0, 2).cct, a.cct);
}

TEST(Accuracy, ColorimetricRecordGivesTheQuantitiesOfItsSpectrum) {
    for (int observer : {2, 10}) {
        const ColorResult s = computeSpectrum(illuminant(0), 1, 380, 780, observer);
        const ColorResult r = computeLvxy(s.Lv, s.x, s.y, observer);
        EXPECT_NEAR(r.X, s.X, 1e-9 * s.X);
        EXPECT_NEAR(r.Z, s.Z, 1e-9 * s.Z);
        EXPECT_NEAR(r.vPrime, s.vPrime, 1e-12);
        EXPECT_NEAR(r.cct, s.cct, 1e-6);
        EXPECT_NEAR(r.duv, s.duv, 1e-9);
        EXPECT_NEAR(r.dominantWavelength, s.dominantWavelength, 1e-9);
    }
    // The observer chooses the locus: one chromaticity, two temperatures.
    const double two = computeLvxy(100.0, 0.3457, 0.3585, 2).cct;
    EXPECT_NEAR(two, 5000.0, 20.0);
    EXPECT_GT(std::fabs(two - computeLvxy(100.0, 0.3457, 0.3585, 10).cct), 10.0);
}

}  // namespace
}  // namespace tintcalc
