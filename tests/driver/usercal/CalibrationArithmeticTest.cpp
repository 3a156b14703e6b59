// The wavelength and level calibrations' arithmetic: centroids, the wavelength table through
// the line pairs with its refusals, the level factors and their limits, the value files.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "support/TempFolder.h"
#include "usercal/LevelCalibration.h"
#include "usercal/WavelengthCalibration.h"

using namespace usercal;

namespace {

// A line of the given width (nm) and centre on a dark background.
std::vector<double> lineAt(double centreNm, double widthNm) {
    std::vector<double> s(kEntries);
    for (int i = 0; i < kEntries; ++i) {
        const double d = (kFirstNm + i - centreNm) / widthNm;
        s[static_cast<std::size_t>(i)] = std::exp(-0.5 * d * d);
    }
    return s;
}

}  // namespace

TEST(CalibrationArithmeticTest, CentroidOfALineOverItsRange) {
    EXPECT_NEAR(*lineCentroid(lineAt(546.07, 1.5), 540, 552), 546.07, 0.01);
    std::vector<double> flat(kEntries, 1.0);
    EXPECT_DOUBLE_EQ(*lineCentroid(flat, 380, 780), 580.0);
    EXPECT_DOUBLE_EQ(*lineCentroid(flat, 500, 500), 500.0);  // both ends are included
    EXPECT_FALSE(lineCentroid(flat, 379, 400));
    EXPECT_FALSE(lineCentroid(flat, 500, 499));
    EXPECT_FALSE(lineCentroid(std::vector<double>(kEntries, 0.0), 400, 500));  // no light
    EXPECT_FALSE(lineCentroid(std::vector<double>(400, 1.0), 400, 500));
}

TEST(CalibrationArithmeticTest, OnePairGivesTheIdentityOrAShiftOfTheWholeTable) {
    const auto identity = wavelengthTable({{546.07, 546.07}});
    ASSERT_TRUE(identity);
    for (int i = 0; i < kEntries; ++i) {
        EXPECT_DOUBLE_EQ((*identity)[static_cast<std::size_t>(i)], 380 + i);
    }
    const auto shifted = wavelengthTable({{545.00, 546.07}});
    ASSERT_TRUE(shifted);
    EXPECT_NEAR((*shifted)[0], 381.07, 1e-9);
    EXPECT_NEAR((*shifted)[200], 581.07, 1e-9);
    EXPECT_NEAR((*shifted)[400], 781.07, 1e-9);
}

TEST(CalibrationArithmeticTest, TwoPairsInterpolateBetweenAndExtrapolateOutside) {
    const auto table = wavelengthTable({{435.0, 435.83}, {546.0, 546.07}});
    ASSERT_TRUE(table);
    EXPECT_NEAR((*table)[435 - 380], 435.83, 1e-9);
    EXPECT_NEAR((*table)[546 - 380], 546.07, 1e-9);
    // Halfway between, the line between the pairs; outside, the nearest pair's offset.
    EXPECT_NEAR((*table)[490 - 380], 435.83 + (546.07 - 435.83) * 55.0 / 111.0, 1e-9);
    EXPECT_NEAR((*table)[0], 380.83, 1e-9);
    EXPECT_NEAR((*table)[400], 780.07, 1e-9);
}

TEST(CalibrationArithmeticTest, PairsAndTablesThatAreRefused) {
    // References in the other order than the centroids.
    EXPECT_FALSE(wavelengthTable({{435.0, 546.0}, {546.0, 435.0}}));
    // The same centroid twice, whatever its references.
    EXPECT_FALSE(wavelengthTable({{546.07, 546.0}, {546.07, 546.5}}));
    // A correction of more than 2.0 nm anywhere: at a line, on the way towards 380 nm.
    EXPECT_FALSE(wavelengthTable({{546.0, 548.01}}));
    EXPECT_FALSE(wavelengthTable({{435.0, 437.01}, {546.0, 546.0}}));
    // Exactly 2.0 nm is still allowed.
    EXPECT_TRUE(wavelengthTable({{546.0, 548.0}}));
    // A centroid outside the instrument's range, and no pair at all.
    EXPECT_FALSE(wavelengthTable({{781.0, 780.0}}));
    EXPECT_FALSE(wavelengthTable({}));
}

TEST(CalibrationArithmeticTest, EntriesAreHeldWithin378And782Nm) {
    // Shifted down by the largest correction: the first entry is exactly 378 nm.
    const auto down = wavelengthTable({{500.0, 498.0}});
    ASSERT_TRUE(down);
    EXPECT_DOUBLE_EQ((*down)[0], 378.0);
    EXPECT_DOUBLE_EQ((*down)[1], 379.0);
}

TEST(CalibrationArithmeticTest, LevelFactorsAreHeldWithinTheirLimits) {
    std::vector<double> measured(kEntries, 2.0);
    std::vector<double> reference(kEntries, 1.0);
    measured[0] = 0.0;      // no light: 0.001 whatever the reference
    reference[1] = 0.0;     // a reference of 0: 0.001
    reference[2] = 4000.0;  // 2000 times the measurement: 1000.0
    measured[3] = -1.0;     // a negative measurement gives a negative quotient: 0.001
    reference[4] = 0.002;   // a quotient just at the lower limit stays
    const auto factors = levelFactors(reference, measured);
    ASSERT_TRUE(factors);
    EXPECT_EQ((*factors)[0], 0.001);
    EXPECT_EQ((*factors)[1], 0.001);
    EXPECT_EQ((*factors)[2], 1000.0);
    EXPECT_EQ((*factors)[3], 0.001);
    EXPECT_EQ((*factors)[4], 0.001);
    EXPECT_EQ((*factors)[5], 0.5);
    EXPECT_FALSE(levelFactors(std::vector<double>(400, 1.0), measured));
}

TEST(CalibrationArithmeticTest, ValueFilesRoundTripAndShortOnesAreRefused) {
    TempFolder folder;
    std::vector<double> values(kEntries);
    for (int i = 0; i < kEntries; ++i) {
        values[static_cast<std::size_t>(i)] = 1.0e-3 * (i + 1);
    }
    const std::string path = folder.file("reference.lrv");
    ASSERT_TRUE(writeLineValues(path, values));
    std::ifstream in(path);
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, "1.000e-03");
    const auto read = readLineValues(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->size(), 401u);
    EXPECT_DOUBLE_EQ((*read)[400], 4.010e-01);

    std::ofstream(folder.file("short.lrv")) << std::string(400, '\n');
    EXPECT_FALSE(readLineValues(folder.file("short.lrv")));
    // Lines from another system's editor, and lines beyond the 401st, are read as they come.
    std::ofstream crlf(folder.file("crlf.lrv"));
    for (int i = 0; i < 402; ++i) {
        crlf << "2.5e+00\r\n";
    }
    crlf.close();
    EXPECT_EQ((*readLineValues(folder.file("crlf.lrv")))[400], 2.5);
    EXPECT_FALSE(readLineValues(folder.file("missing.lrv")));
}
