#include "sensor/ConditionCodes.h"

#include <gtest/gtest.h>

#include <set>

#include "sensor/ResultCodes.h"

namespace {

// Every code of a table comes back from its wire number, in each firmware layout the row
// belongs to, and no two rows of one layout share a wire number.
template <std::size_t N>
void expectTwoWay(const codes::WireTable<N>& table, const char* name) {
    for (int firmware : {100, codes::kRom110FirmwareLevel}) {
        std::set<int> wires;
        for (const codes::WireCode& row : table.rows()) {
            const bool rom110 = codes::hasRom110Layout(firmware);
            if ((row.layout == codes::Layout::BeforeRom110 && rom110) ||
                (row.layout == codes::Layout::FromRom110 && !rom110)) {
                continue;
            }
            EXPECT_TRUE(wires.insert(row.wire).second) << name << " wire " << row.wire;
            EXPECT_EQ(table.code(row.wire, firmware), row.code) << name << " wire " << row.wire;
            EXPECT_EQ(table.wire(row.code), row.wire) << name << " code " << row.code;
        }
    }
}

}  // namespace

TEST(ConditionCodesTest, EveryWireTableMapsBothWays) {
    expectTwoWay(codes::kSpeedWire, "speed");
    expectTwoWay(codes::kSyncWire, "sync");
    expectTwoWay(codes::kLensWire, "lens");
    expectTwoWay(codes::kNdWire, "nd");
    expectTwoWay(codes::kInsertNdWire, "internal nd");
    expectTwoWay(codes::kAreaWire, "angle");
    expectTwoWay(codes::kUnitWire, "unit");
}

TEST(ConditionCodesTest, TheCountModeChangedItsCodeWithRom110) {
    using namespace codes::speed;
    EXPECT_EQ(codes::kSpeedWire.code(2, 109), kMulti);
    EXPECT_EQ(codes::kSpeedWire.code(2, 110), kMultiRom110);
    EXPECT_EQ(codes::kSpeedWire.wire(kMulti), 2);
    EXPECT_EQ(codes::kSpeedWire.wire(kMultiRom110), 2);
    EXPECT_EQ(codes::kSpeedWire.code(5, 110), std::nullopt);
    EXPECT_EQ(codes::kLensWire.wire(7), std::nullopt);
}

TEST(ConditionCodesTest, CalibrationModesAndTheirCorrectionsMapBothWays) {
    std::set<int> modes;
    for (int bits = 0; bits < 8; ++bits) {
        const codes::CalibrationCorrections wanted{(bits & 1) != 0, (bits & 2) != 0,
                                                   (bits & 4) != 0};
        const int mode = codes::calibrationModeFor(wanted);
        EXPECT_TRUE(modes.insert(mode).second) << mode;
        EXPECT_EQ(codes::correctionsOf(mode), wanted) << mode;
    }
    EXPECT_EQ(modes, (std::set<int>{0, 4, 5, 9, 21, 22, 23, 24}));
    EXPECT_EQ(codes::correctionsOf(3), std::nullopt);
}

TEST(ResultCodesTest, ReplyStatusWordsAndErrorCodesMapBothWays) {
    EXPECT_EQ(codes::errorCodeOf({true, 16}), codes::error::kInsufficientExposure);
    EXPECT_EQ(codes::errorCodeOf({true, 0}), codes::error::kNoError);
    EXPECT_EQ(codes::errorCodeOf({false, 12}), 12);
    for (int code : {0, 2, 20, 41, 99, 200, 216}) {
        EXPECT_EQ(codes::errorCodeOf(codes::replyStatusOf(code)), code);
    }
}
