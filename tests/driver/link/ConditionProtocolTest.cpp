#include "link/ConditionProtocol.h"

#include <gtest/gtest.h>

using namespace protocol;

namespace {

SetupStatus withSpeed(int speed, float count, double seconds, int insertNd) {
    SetupStatus status;
    status.setSpeed(speed);
    status.setSyncManualParam(count);
    status.setSyncManualDouble(seconds);
    status.setInsertNd(insertNd);
    return status;
}

// The reply an instrument gives for the conditions a command line set.
std::string replyTo(const std::string& command) {
    return "OK00," + command.substr(5, command.size() - 7);
}

}  // namespace

TEST(ConditionProtocolTest, EverySpeedReadsBackAsItWasWritten) {
    using namespace codes::speed;
    for (int firmware : {100, 110}) {
        const bool rom110 = firmware >= 110;
        for (int speed : rom110 ? std::vector{kNormal, kFast, kManual, kMultiRom110, kMulti2}
                                : std::vector{kNormal, kFast, kManual, kMulti}) {
            const auto command = speedCommand(withSpeed(speed, 7.0f, 0.25, 1), firmware);
            ASSERT_TRUE(command) << speed;
            const SpeedReading reading = parseSpeed(replyTo(*command), firmware);
            EXPECT_EQ(reading.speed, speed) << *command;
            const bool carriesNd = rom110 || speed == kManual;
            EXPECT_EQ(reading.insertNd, carriesNd ? 1 : codes::insertnd::kAbsent) << *command;
            if (speed == kManual) {
                EXPECT_DOUBLE_EQ(reading.integrationSeconds.value_or(0), 0.25);
            } else if (speed != kNormal && speed != kFast) {
                EXPECT_FLOAT_EQ(reading.count.value_or(0), 7.0f) << *command;
            }
        }
    }
}

TEST(ConditionProtocolTest, SpeedLinesAndRepliesOutsideTheTable) {
    EXPECT_EQ(speedCommand(withSpeed(99, 1, 1, 0), 110), std::nullopt);
    EXPECT_EQ(speedCommand(withSpeed(7, 1, 0.0000004, 2), 100), "SPMS,3,000000000,2\r\n");
    const SpeedReading unknown = parseSpeed("OK00,9,5,1", 110);
    EXPECT_EQ(unknown.speed, codes::speed::kNormal);
    EXPECT_EQ(unknown.insertNd, codes::insertnd::kAbsent);
    EXPECT_FALSE(unknown.count);
    // The second count mode reads as such on any firmware; a missing field reads as 0.
    EXPECT_EQ(parseSpeed("OK00,4,3", 100).speed, codes::speed::kMulti2);
    EXPECT_EQ(parseSpeed("OK00,2,3", 110).insertNd, 0);
}

TEST(ConditionProtocolTest, SyncLensAndNdReadUnknownNumbersAsTheirDefault) {
    EXPECT_FLOAT_EQ(parseSync("OK00,1,06000").frequency.value_or(0), 60.0f);
    EXPECT_EQ(parseSync("OK00,5").sync, codes::sync::kExternal);
    EXPECT_FALSE(parseSync("OK00,0").frequency);
    EXPECT_EQ(parseLens("OK00,7"), codes::lens::kStandard);
    EXPECT_EQ(parseNd("OK00,3"), codes::nd::kNone);
    EXPECT_EQ(parseAngle("OK00,7").index, 7);
    EXPECT_EQ(parseAngle("OK00,7").area, codes::area::kOneDegree);
    EXPECT_EQ(parseAngle("OK00,1").area, codes::area::kPointTwoDegree);
}

TEST(ConditionProtocolTest, SetLinesExistOnlyForCodesWithAWireNumber) {
    SetupStatus status;
    status.setSync(codes::sync::kInternal);
    status.setSyncInternalParam(20.0f);
    EXPECT_EQ(syncCommand(status), "SCMS,1,02000\r\n");
    status.setSync(4);
    EXPECT_EQ(syncCommand(status), std::nullopt);
    EXPECT_EQ(lensCommand(codes::lens::kAdapter), "LNSS,1\r\n");
    EXPECT_EQ(lensCommand(2), std::nullopt);
    EXPECT_EQ(ndCommand(codes::nd::kNd2), "NDFS,2\r\n");
    EXPECT_EQ(ndCommand(1), std::nullopt);
}

TEST(ConditionProtocolTest, LuminanceUnitIsInvertedOnTheWire) {
    EXPECT_EQ(parseUnit("OK00,0"), codes::unit::kFootLambert);
    EXPECT_EQ(parseUnit("OK00,1"), codes::unit::kCandela);
    EXPECT_EQ(parseUnit("OK00,9"), codes::unit::kCandela);
    EXPECT_EQ(unitCommand(codes::unit::kCandela), "LUUS,1\r\n");
    EXPECT_EQ(unitCommand(5), "LUUS,0\r\n");  // any other value asks for ft-L
}

TEST(ConditionProtocolTest, DigitRepliesAndTheTriggerLine) {
    EXPECT_EQ(replyDigit("OK00,3"), 3);
    EXPECT_EQ(replyDigit("OK00"), 0);
    EXPECT_EQ(digitAt("OK00,1,0", 7), 0);
    EXPECT_EQ(backLightCommand(1, 0), "BALS,1,0\r\n");
    EXPECT_EQ(triggerCommand(true), "MSWE,1\r\n");
    EXPECT_FALSE(isStrayTriggerReply("OK00"));
    EXPECT_TRUE(isStrayTriggerReply("OK00,1"));
}
