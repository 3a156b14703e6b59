// Inputs the rendition metrics cannot rate give undefined values, never NaN or stale numbers;
// what they can rate does not depend on the scale of the spectrum.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

#include "TestSpectra.h"
#include "tintcalc/Rendition.h"

namespace tintcalc {
namespace {

void expectAllUndefined(const RenditionResult& r, const char* what) {
    EXPECT_FALSE(isDefined(r.cct)) << what;
    EXPECT_FALSE(isDefined(r.ra)) << what;
    EXPECT_FALSE(isDefined(r.rf)) << what;
    EXPECT_FALSE(isDefined(r.rg)) << what;
    EXPECT_FALSE(isDefined(r.dc)) << what;
    EXPECT_FALSE(r.criReliable) << what;
    EXPECT_EQ(r.criReference, ReferenceIlluminant::None) << what;
    EXPECT_EQ(r.fidelityReference, ReferenceIlluminant::None) << what;
    for (double v : r.r) {
        EXPECT_FALSE(isDefined(v)) << what;
    }
    for (double v : r.rfSample) {
        EXPECT_FALSE(isDefined(v)) << what;
    }
    for (const HueBin& bin : r.hueBins) {
        EXPECT_EQ(bin.sampleCount, 0) << what;
        EXPECT_FALSE(isDefined(bin.testA) || isDefined(bin.chromaShiftPercent)) << what;
    }
}

TEST(RenditionInput, UnratableSpectraGiveUndefinedValues) {
    const std::vector<double> a = test::illuminant(0);
    std::vector<double> nan = a;
    nan[200] = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> coarse;
    for (std::size_t i = 0; i < a.size(); i += 10) {
        coarse.push_back(a[i]);
    }
    expectAllUndefined(computeRendition({}, 1, 380, 780), "empty");
    expectAllUndefined(computeRendition(a, 1, 380, 779), "count does not match the grid");
    expectAllUndefined(computeRendition(coarse, 10, 380, 780), "10 nm pitch");
    expectAllUndefined(computeRendition(std::vector<double>(301, 1.0), 1, 400, 700),
                       "400 to 700 nm only");
    expectAllUndefined(computeRendition(nan, 1, 380, 780), "NaN");
    expectAllUndefined(computeRendition(std::vector<double>(401, 0.0), 1, 380, 780), "dark");
    expectAllUndefined(computeRendition(test::line(530), 1, 380, 780), "green, far off the locus");
}

TEST(RenditionInput, WiderGridsCountOnly380To780) {
    std::vector<double> wide(471, 1e6);  // 360..830 nm, with a huge value outside 380..780
    const std::vector<double> a = test::illuminant(0);
    std::copy(a.begin(), a.end(), wide.begin() + 20);
    const RenditionResult r = computeRendition(wide, 1, 360, 830);
    const RenditionResult reference = computeRendition(a, 1, 380, 780);
    EXPECT_DOUBLE_EQ(r.ra, reference.ra);
    EXPECT_DOUBLE_EQ(r.rf, reference.rf);
    EXPECT_DOUBLE_EQ(r.cct, reference.cct);
}

TEST(RenditionInput, ScaleOfTheSpectrumDoesNotMatter) {
    std::vector<double> dim = test::planck(2700);  // radiance of order 1e-2
    std::vector<double> bright = dim;
    for (double& v : bright) {
        v *= 1e9;
    }
    const RenditionResult a = computeRendition(dim, 1, 380, 780);
    const RenditionResult b = computeRendition(bright, 1, 380, 780);
    EXPECT_NEAR(a.ra, b.ra, 1e-9);
    EXPECT_NEAR(a.rf, b.rf, 1e-9);
    EXPECT_NEAR(a.rg, b.rg, 1e-9);
}

}  // namespace
}  // namespace tintcalc
