// Rendition metrics against published figures: the CIE fluorescent illuminants with the
// chromaticity, temperature and Ra that CIE 15:2004 tabulates for them, the reference
// illuminants themselves, and the CIE's own 1 nm version of the colour evaluation samples.
#include <gtest/gtest.h>

#include <vector>

#include "TestSpectra.h"
#include "renditiondata/RenditionTables.h"
#include "tintcalc/Colorimetry.h"
#include "tintcalc/Rendition.h"
#include "tintcalc/RenditionMetrics.h"
#include "tintcalc/RenditionSamples.h"

namespace tintcalc {
namespace {

std::vector<double> fluorescent(int number) {
    std::vector<double> s;
    for (const auto& row : cie::kFluorescentIlluminants) {
        s.push_back(row[number - 1]);
    }
    return s;
}

struct Cie15Fluorescent {
    int number;
    double x, y;  // four decimals
    double cct;   // K, to 10 K
    double ra;    // whole number
};

// CIE 15:2004, colorimetric data of the illuminants FL1-FL12 (CIE 1931 observer).
constexpr Cie15Fluorescent kCie15[] = {
    {1, 0.3131, 0.3371, 6430, 76},  {2, 0.3721, 0.3751, 4230, 64},  {3, 0.4091, 0.3941, 3450, 57},
    {4, 0.4402, 0.4031, 2940, 51},  {5, 0.3138, 0.3452, 6350, 72},  {6, 0.3779, 0.3882, 4150, 59},
    {7, 0.3129, 0.3292, 6500, 90},  {8, 0.3458, 0.3586, 5000, 95},  {9, 0.3741, 0.3727, 4150, 90},
    {10, 0.3458, 0.3588, 5000, 81}, {11, 0.3805, 0.3769, 4000, 83}, {12, 0.4370, 0.4042, 3000, 83},
};

TEST(RenditionPublished, FluorescentIlluminantsMatchCie15) {
    for (const Cie15Fluorescent& p : kCie15) {
        const std::vector<double> s = fluorescent(p.number);
        const ColorResult c = computeSpectrum(s, 5, 380, 780, 2);
        EXPECT_NEAR(c.x, p.x, 6e-5) << "FL" << p.number;
        EXPECT_NEAR(c.y, p.y, 6e-5) << "FL" << p.number;
        const RenditionResult r = computeRendition(s, 5, 380, 780);
        EXPECT_NEAR(r.cct, p.cct, 6.0) << "FL" << p.number;
        if (p.number != 8) {
            EXPECT_NEAR(r.ra, p.ra, 0.5) << "FL" << p.number;
        }
        EXPECT_TRUE(isDefined(r.rf) && isDefined(r.rg)) << "FL" << p.number;
    }
}

TEST(RenditionPublished, Fl8SitsOnTheDaylightSwitch) {
    // Tabulated at 5000 K, where the reference turns to daylight; its spectrum gives 4997.8 K,
    // which asks for the blackbody. At the tabulated temperature the tabulated Ra returns.
    const std::vector<double> s = fluorescent(8);
    const RenditionResult r = computeRendition(s, 5, 380, 780);
    EXPECT_LT(r.cct, 5000.0);
    EXPECT_EQ(r.criReference, ReferenceIlluminant::Planckian);
    RenditionResult atTabulated;
    computeColourRenderingIndex(*SpectralGrid::fromSpectrum(s, 5, 380, 780), 5000.0, atTabulated);
    EXPECT_EQ(atTabulated.criReference, ReferenceIlluminant::Daylight);
    EXPECT_NEAR(atTabulated.ra, 95.0, 0.5);
}

TEST(RenditionPublished, ReferenceLightsRenderPerfectly) {
    // Illuminant A is a blackbody and D65 a CIE daylight: each is its own reference.
    for (int column : {0, 1}) {
        const RenditionResult r = computeRendition(test::illuminant(column), 1, 380, 780);
        EXPECT_NEAR(r.ra, 100.0, 0.05) << column;
        for (double ri : r.r) {
            EXPECT_NEAR(ri, 100.0, 0.1) << column;
        }
        EXPECT_NEAR(r.rf, 100.0, 0.05) << column;
        EXPECT_NEAR(r.rg, 100.0, 0.05) << column;
        EXPECT_LT(r.dc, 1e-4) << column;
        EXPECT_TRUE(r.criReliable);
    }
    EXPECT_EQ(computeRendition(test::illuminant(0), 0, 0, 0).criReference,
              ReferenceIlluminant::Planckian);
    EXPECT_EQ(computeRendition(test::illuminant(1), 0, 0, 0).fidelityReference,
              ReferenceIlluminant::Daylight);
}

TEST(RenditionPublished, SpragueReproducesTheCie1nmSampleTable) {
    // CIE 224:2017 1 nm data set, samples CES1-CES10, four decimals.
    struct Row {
        int nm;
        double values[10];
    };
    const Row rows[] = {
        {381, {0.6359, 0.2615, 0.0008, 0.4747, 0.1338, 0.0463, 0.0583, 0.0584, 0.0416, 0.1998}},
        {387, {0.6359, 0.2615, 0.0110, 0.4745, 0.1357, 0.0571, 0.0583, 0.0599, 0.0418, 0.1998}},
        {392, {0.6359, 0.2615, 0.0185, 0.4552, 0.1355, 0.0674, 0.0583, 0.0597, 0.0419, 0.1999}},
        {398, {0.6356, 0.2613, 0.0145, 0.4288, 0.1355, 0.0780, 0.0583, 0.0591, 0.0422, 0.1993}},
        {402, {0.6372, 0.2623, 0.0087, 0.4150, 0.1364, 0.0902, 0.0582, 0.0587, 0.0423, 0.2019}},
    };
    const ReflectanceSet& ces = colourEvaluationSamples();
    for (const Row& row : rows) {
        for (int i = 0; i < 10; ++i) {
            EXPECT_NEAR(ces.sample(i)[row.nm - kSampleFirstNm], row.values[i], 6e-5)
                << "CES" << i + 1 << " at " << row.nm << " nm";
        }
    }
}

}  // namespace
}  // namespace tintcalc
