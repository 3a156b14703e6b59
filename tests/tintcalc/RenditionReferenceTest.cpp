// How each metric chooses and builds its reference light, and what the hue bins report.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "TestSpectra.h"
#include "ciedata/CieTables.h"
#include "tintcalc/ReferenceIlluminant.h"
#include "tintcalc/Rendition.h"
#include "tintcalc/RenditionSamples.h"

namespace tintcalc {
namespace {

TEST(RenditionReference, ChoiceAroundTheSwitchTemperatures) {
    struct Case {
        double kelvin;
        ReferenceIlluminant cri, fidelity;
    };
    for (const Case& c :
         {Case{3999, ReferenceIlluminant::Planckian, ReferenceIlluminant::Planckian},
          {4001, ReferenceIlluminant::Planckian, ReferenceIlluminant::Blend},
          {4999, ReferenceIlluminant::Planckian, ReferenceIlluminant::Blend},
          {5001, ReferenceIlluminant::Daylight, ReferenceIlluminant::Daylight}}) {
        const RenditionResult r = computeRendition(test::planck(c.kelvin), 1, 380, 780);
        EXPECT_NEAR(r.cct, c.kelvin, 0.5);
        EXPECT_EQ(r.criReference, c.cri) << c.kelvin;
        EXPECT_EQ(r.fidelityReference, c.fidelity) << c.kelvin;
    }
}

TEST(RenditionReference, RaStepsAtFiveThousandWhileRfBlendsSmoothly) {
    const RenditionResult below = computeRendition(test::planck(4999), 1, 380, 780);
    const RenditionResult above = computeRendition(test::planck(5001), 1, 380, 780);
    // A blackbody is its own reference below 5000 K; above, it is compared with daylight,
    // which lies about 0.003 above the Planckian locus.
    EXPECT_NEAR(below.ra, 100.0, 0.01);
    EXPECT_LT(above.ra, 99.0);
    EXPECT_NEAR(below.dc, 0.0, 1e-6);
    EXPECT_NEAR(above.dc, 0.003, 0.0015);
    // The blend is nearly all daylight at 4999 K and all blackbody at 4001 K.
    EXPECT_NEAR(below.rf, above.rf, 0.05);
    EXPECT_LT(above.rf, 99.5);
    EXPECT_NEAR(computeRendition(test::planck(4001), 1, 380, 780).rf, 100.0, 0.05);
    EXPECT_NEAR(computeRendition(test::planck(3999), 1, 380, 780).rf, 100.0, 0.01);
}

TEST(RenditionReference, DaylightAt6504KelvinIsD65) {
    const std::vector<double> daylight = daylightSpectrum(6504.0);
    const double scale = 100.0 / daylight[560 - kSampleFirstNm];
    for (int nm = kSampleFirstNm; nm <= kSampleLastNm; ++nm) {
        EXPECT_NEAR(daylight[nm - kSampleFirstNm] * scale, cie::kIlluminants.at(nm)[1], 0.05) << nm;
    }
}

TEST(RenditionReference, BlendIsEqualLuminanceMixture) {
    // Halfway, the Planckian and the daylight contribute the same Y10.
    const std::vector<double> blend = fidelityReference(4500.0).power;
    const std::vector<double> planck = planckianSpectrum(4500.0);
    const std::vector<double> daylight = daylightSpectrum(4500.0);
    auto y10 = [](const std::vector<double>& s) {
        double y = 0.0;
        for (int i = 0; i < kSamplePoints; ++i) {
            y += s[i] * cie::kObserver10.at(kSampleFirstNm + i)[1];
        }
        return y;
    };
    for (int i = 0; i < kSamplePoints; i += 50) {
        EXPECT_NEAR(blend[i], 0.5 * planck[i] / y10(planck) + 0.5 * daylight[i] / y10(daylight),
                    1e-12 * blend[i]);
    }
}

// A smooth white LED-like spectrum: a blue peak and a broad yellow band.
std::vector<double> whiteLed() {
    std::vector<double> s;
    for (int nm = 380; nm <= 780; ++nm) {
        const double blue = (nm - 450.0) / 10.0, yellow = (nm - 570.0) / 55.0;
        s.push_back(std::exp(-blue * blue / 2) + 0.9 * std::exp(-yellow * yellow / 2));
    }
    return s;
}

TEST(RenditionReference, FiveNanometreGridAgreesWithOneNanometre) {
    const std::vector<double> fine = whiteLed();
    std::vector<double> coarse;
    for (std::size_t i = 0; i < fine.size(); i += 5) {
        coarse.push_back(fine[i]);
    }
    const RenditionResult a = computeRendition(fine, 1, 380, 780);
    const RenditionResult b = computeRendition(coarse, 5, 380, 780);
    EXPECT_LT(a.ra, 90.0);  // far enough from perfect for the comparison to mean something
    EXPECT_NEAR(a.ra, b.ra, 0.2);
    EXPECT_NEAR(a.rf, b.rf, 0.2);
    EXPECT_NEAR(a.rg, b.rg, 0.2);
    for (int i = 0; i < kCriSampleCount; ++i) {
        EXPECT_NEAR(a.r[i], b.r[i], 0.5) << "R" << i + 1;
    }
}

TEST(RenditionReference, HueBinsHoldEverySampleAndAgreeWithGamut) {
    const RenditionResult led = computeRendition(whiteLed(), 1, 380, 780);
    int total = 0;
    double meanChromaShift = 0.0;
    for (const HueBin& bin : led.hueBins) {
        EXPECT_GT(bin.sampleCount, 0);
        total += bin.sampleCount;
        meanChromaShift += bin.chromaShiftPercent / kHueBinCount;
        EXPECT_TRUE(isDefined(bin.fidelity) && isDefined(bin.hueShift));
        // The bin's reference mean lies in the bin's hue range.
        const double hue = std::atan2(bin.referenceB, bin.referenceA) * 180.0 / std::numbers::pi;
        const double inRange = std::fmod(hue + 360.0, 360.0) / 22.5;
        EXPECT_EQ(static_cast<int>(inRange), &bin - led.hueBins.data());
    }
    EXPECT_EQ(total, kColourEvaluationSampleCount);
    // A light that desaturates on average has a gamut below 100, and the reverse.
    EXPECT_EQ(meanChromaShift < 0.0, led.rg < 100.0);
    // Under its own reference every bin is exact.
    for (const HueBin& bin : computeRendition(test::illuminant(0), 0, 0, 0).hueBins) {
        EXPECT_NEAR(bin.fidelity, 100.0, 0.05);
        EXPECT_NEAR(bin.chromaShiftPercent, 0.0, 0.05);
        EXPECT_NEAR(bin.testA, bin.referenceA, 0.01);
        EXPECT_NEAR(bin.testB, bin.referenceB, 0.01);
    }
}

}  // namespace
}  // namespace tintcalc
