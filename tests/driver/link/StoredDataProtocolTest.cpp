#include <gtest/gtest.h>

#include "link/StoredDataProtocol.h"

using namespace protocol;

TEST(StoredDataProtocolTest, TargetWriteLinesAreByteExact) {
    EXPECT_EQ(targetPointCommand(3, 0, "3F800000"), "TGDS,1,0,03,000,3F800000\r\n");
    EXPECT_EQ(targetPointCommand(20, 400, "42C80000"), "TGDS,1,0,20,400,42C80000\r\n");
    EXPECT_EQ(targetNameCommand(7, "LCD W"), "TGDS,0,3,07,LCD W\r\n");
    // The host's 2° observer is code 01; 10° (and any other value) 11.
    EXPECT_EQ(targetColorCommand(5, 2, {120.0, 0.3127, 0.329}),
              "TGDS,0,1,05,01,  120.00,0.3127,0.3290\r\n");
    EXPECT_EQ(targetColorCommand(12, 10, {85.5, 0.4476, 0.4074}),
              "TGDS,0,1,12,11,   85.50,0.4476,0.4074\r\n");
    EXPECT_EQ(targetObserverCode(0), 11);
}

TEST(StoredDataProtocolTest, LuminanceKeepsEightCharactersAsItGrows) {
    EXPECT_EQ(targetLuminanceText(0.004), "    0.00");
    EXPECT_EQ(targetLuminanceText(99999.994), "99999.99");
    EXPECT_EQ(targetLuminanceText(100000.0), "100000.0");
    EXPECT_EQ(targetLuminanceText(999999.9), "999999.9");
    EXPECT_EQ(targetLuminanceText(1000000.0), " 1000000");
    EXPECT_EQ(targetChromaticityText(0.31274), "0.3127");
    EXPECT_EQ(targetChromaticityText(0.0), "0.0000");
}

TEST(StoredDataProtocolTest, ActiveTargetAndDeleteLines) {
    EXPECT_STREQ(kActiveTargetQuery, "TGSR\r\n");
    EXPECT_EQ(selectTargetCommand(4), "TGSL,04\r\n");
    EXPECT_EQ(deleteRecordCommand(true, 3), "TGDD,03\r\n");
    EXPECT_EQ(deleteRecordCommand(false, 0), "STDD,00\r\n");
    EXPECT_EQ(deleteAllCommand(true), "STAD\r\n");
    EXPECT_EQ(deleteAllCommand(false), "TGAD\r\n");
}

TEST(StoredDataProtocolTest, ActiveTargetReplyMustHoldATargetNumber) {
    EXPECT_EQ(parseActiveTarget("OK00,07"), 7);
    EXPECT_EQ(parseActiveTarget("OK00,20\n"), 20);
    for (const char* bad :
         {"OK00", "OK00,", "OK00,00", "OK00,21", "OK00,7x", "OK00,07,1", "ER20"}) {
        EXPECT_EQ(parseActiveTarget(bad), std::nullopt) << bad;
    }
}
