// The calibration channels against the simulated instrument: scans that stop at the first
// entry that corrects something, the mode codes with and without ND factors, the list,
// the active channel and the ID as the lines carry them.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "support/SimulatedDriver.h"
#include "usercal/ChannelProtocol.h"

namespace {

using rx9100sim::identityWavelengthTable;
using rx9100sim::unitTable;

class ChannelsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sim.driver.setErrorVisible(false);
        ASSERT_EQ(sim.driver.connect(), 0);
        memory = sim.instrument.memory();
    }
    // The prepared memory goes to the instrument; what connecting sent is forgotten.
    void load() {
        sim.instrument.setMemory(memory);
        sim.takeSent();
    }
    long count(const std::vector<std::string>& sent, const std::string& prefix) {
        return std::count_if(sent.begin(), sent.end(),
                             [&](const std::string& s) { return s.starts_with(prefix); });
    }
    int check(int ch, std::string& id, bool fullScan = true) {
        int chOut = -1;
        int mode = -1;
        const int r = sim.driver.checkCalibrationCh(ch, chOut, mode, mode, id, fullScan);
        lastMode = mode;
        return r;
    }
    int modeOf(int ch) {
        std::string id;
        EXPECT_EQ(check(ch, id), 0);
        return lastMode;
    }

    SimulatedDriver sim;
    rx9100sim::Memory memory;
    int lastMode = -1;
};

}  // namespace

TEST(ChannelProtocolTest, LinesAndRepliesByteForByte) {
    using protocol::ChannelTable;
    EXPECT_EQ(protocol::channelIdCommand(4, "ABC"), "UCPS,2,04,       ABC\r\n");
    EXPECT_EQ(protocol::channelIdCommand(10, "ABCDEFGHIJKL"), "UCPS,2,10,ABCDEFGHIJKL\r\n");
    EXPECT_EQ(protocol::channelEntryCommand(ChannelTable::Level, 7, 42), "UCPR,1,07,042\r\n");
    EXPECT_EQ(protocol::channelSelectCommand(3), "UCCS,03\r\n");
    EXPECT_EQ(protocol::channelIdQuery(9), "UCPR,2,09\r\n");
    EXPECT_EQ(protocol::parseChannelId("OK00,       ABC"), "ABC");
    EXPECT_EQ(protocol::parseChannelId("OK00,123456789012345678901234"), "12345678901234567890");
    EXPECT_EQ(protocol::parseChannelId("OK00"), "");
    EXPECT_EQ(protocol::parseActiveChannel("OK00,03"), 3);
    for (const char* bad : {"OK00,11", "OK00,3", "OK00,0x", "OK00"}) {
        EXPECT_FALSE(protocol::parseActiveChannel(bad)) << bad;
    }
    EXPECT_EQ(protocol::channelItemName(22, "LAB-A"), "22LAB-A");
    EXPECT_EQ(protocol::channelItemName(0, ""), "00");
}

TEST_F(ChannelsTest, FullScansStopAtTheFirstEntryThatCorrects) {
    memory.channels[2].wavelength = identityWavelengthTable();
    (*memory.channels[2].wavelength)[5] = 385.25f;
    memory.channels[2].level = unitTable();
    memory.channels[2].id = "      WAVE";
    // Deviations between 480 and 679 nm are never looked at.
    memory.channels[3].wavelength = identityWavelengthTable();
    (*memory.channels[3].wavelength)[150] = 531.0f;
    memory.channels[3].level = unitTable();
    (*memory.channels[3].level)[400] = 1.5f;
    load();

    std::string id = "kept";
    ASSERT_EQ(check(2, id), 0);
    EXPECT_EQ(lastMode, 5);
    EXPECT_EQ(id, "WAVE");
    auto sent = sim.takeSent();
    EXPECT_EQ(count(sent, "UCPR,0,02,0"), 6);  // entries 000 to 005, then the scan ends
    EXPECT_EQ(sent[4 + 5], "UCPR,0,02,005");   // after the two ND probes (STSR, NFCR each)
    EXPECT_EQ(count(sent, "UCPR,0,02,"), 6 + 101);
    EXPECT_EQ(count(sent, "UCPR,1,02,"), 100 + 101);
    EXPECT_EQ(sent.back(), "UCPR,2,02");

    EXPECT_EQ(modeOf(3), 4);
    sent = sim.takeSent();
    EXPECT_EQ(count(sent, "UCPR,0,03,"), 201);
    EXPECT_EQ(count(sent, "UCPR,1,03,"), 100 + 101);  // the deviation is the last entry

    // A channel without tables: each scan ends at its first refused entry, no error left.
    EXPECT_EQ(modeOf(4), 0);
    EXPECT_EQ(count(sim.takeSent(), "UCPR,"), 4 + 1);
    EXPECT_EQ(sim.driver.getInstrumentState()->getErrorCode(), 200);
}

TEST_F(ChannelsTest, ModeCodesWithAndWithoutNdFactors) {
    memory.channels[1].wavelength = identityWavelengthTable();
    (*memory.channels[1].wavelength)[0] = 380.5f;
    memory.channels[1].level = unitTable();
    (*memory.channels[1].level)[0] = 0.9f;
    memory.channels[2].wavelength = memory.channels[1].wavelength;
    memory.channels[3].level = memory.channels[1].level;
    load();
    SetupStatus& status = *sim.driver.getSetupStatus();
    EXPECT_EQ(modeOf(1), 22);
    EXPECT_EQ(modeOf(2), 5);
    EXPECT_EQ(modeOf(3), 4);
    EXPECT_EQ(modeOf(0), 0);

    // ND factors for filter 2 and a filter in: ND joins every channel's mode.
    memory.ndTables[memory.measuringAngle][1] = unitTable();
    load();
    status.setNd(16);
    EXPECT_EQ(modeOf(1), 24);
    EXPECT_EQ(modeOf(2), 21);
    EXPECT_EQ(modeOf(3), 23);
    EXPECT_EQ(modeOf(4), 9);
    sim.takeSent();
    EXPECT_EQ(modeOf(0), 9);
    EXPECT_EQ(status.getCalibrationMode(), 9);
    const auto sent = sim.takeSent();
    EXPECT_EQ(sent, (std::vector<std::string>{"STSR", "NFCR,0,1,000", "STSR", "NFCR,0,2,000"}));
}

TEST_F(ChannelsTest, QuickScanAsksEntry000OfEachTable) {
    memory.channels[6].level = unitTable();  // an identity table still counts as present
    load();
    std::string id;
    ASSERT_EQ(check(6, id, false), 0);
    EXPECT_EQ(lastMode, 4);
    const auto sent = sim.takeSent();
    EXPECT_EQ(std::vector<std::string>(sent.begin() + 4, sent.end()),
              (std::vector<std::string>{"UCPR,0,06,000", "UCPR,1,06,000", "UCPR,2,06"}));
}

TEST_F(ChannelsTest, ListRebuildNamesEveryChannelByModeAndId) {
    memory.channels[1].id = "       ONE";  // identity tables: listed with its ID only
    memory.channels[1].wavelength = identityWavelengthTable();
    memory.channels[1].level = unitTable();
    memory.channels[5].level = unitTable();
    (*memory.channels[5].level)[399] = 2.0f;
    memory.channels[5].id = "LEVEL";
    load();
    ASSERT_EQ(sim.driver.checkCalibrationCh(), 0);
    CapIterator* list = sim.driver.getSetupCapability()->getListCalList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(itemIds(list), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(list->Search(0), "00");
    EXPECT_EQ(list->Search(1), "00ONE");
    EXPECT_EQ(list->Search(2), "00");
    EXPECT_EQ(list->Search(5), "04LEVEL");
    EXPECT_EQ(sim.ui->waitCursorDepth(), 0);
}

TEST_F(ChannelsTest, ActiveChannelIsReadSelectedAndReadBack) {
    memory.channels[3].wavelength = identityWavelengthTable();
    (*memory.channels[3].wavelength)[399] = 778.5f;
    memory.channels[3].id = "THREE";
    memory.activeChannel = 3;
    load();
    SetupStatus& status = *sim.driver.getSetupStatus();
    ASSERT_EQ(sim.driver.checkActiveCh(), 0);
    EXPECT_EQ(status.getCalibrationCh(), 3);
    EXPECT_EQ(status.getCalibrationMode(), 5);
    EXPECT_EQ(status.getCalibrationId(), "THREE");
    EXPECT_EQ(sim.takeSent().front(), "UCCR");

    status.setCalibrationCh(0);
    ASSERT_EQ(sim.driver.setActiveCh(), 0);
    EXPECT_EQ(sim.instrument.memory().activeChannel, 0);
    EXPECT_EQ(status.getCalibrationMode(), 0);
    EXPECT_EQ(status.getCalibrationId(), "");  // channel 0 has none
    const auto sent = sim.takeSent();
    EXPECT_EQ(sent[0], "UCCS,00");
    EXPECT_EQ(sent[1], "UCCR");

    status.setCalibrationCh(-1);  // never read: no channel to select
    EXPECT_EQ(sim.driver.setActiveCh(), 10);
    EXPECT_TRUE(sim.takeSent().empty());

    // A refused query leaves the conditions and no pending "no data" error.
    status.setCalibrationCh(3);
    sim.instrument.injectFault(*rx9100sim::Fault::parse("UCCR:error:20"));
    EXPECT_EQ(sim.driver.checkActiveCh(), 10);
    EXPECT_EQ(status.getCalibrationCh(), 3);
    EXPECT_EQ(sim.driver.getInstrumentState()->getErrorCode(), 200);
}

TEST_F(ChannelsTest, IdWrittenRightAlignedAndReadBackWithoutBlanks) {
    load();
    ASSERT_EQ(sim.driver.setCalibrationId(4, "ABC"), 0);
    EXPECT_EQ(sim.takeSent(), (std::vector<std::string>{"UCPS,2,04,       ABC", "UCPS,3"}));
    std::string id;
    ASSERT_EQ(check(4, id), 0);
    EXPECT_EQ(id, "ABC");

    // A failed ID read is returned with the mode already found.
    sim.instrument.injectFault(*rx9100sim::Fault::parse("UCPR,2:error:30"));
    id = "kept";
    memory = sim.instrument.memory();
    memory.channels[4].level = unitTable();
    (*memory.channels[4].level)[0] = 3.0f;
    load();
    EXPECT_EQ(check(4, id), 10);
    EXPECT_EQ(lastMode, 4);
    EXPECT_EQ(id, "kept");
}

TEST_F(ChannelsTest, TableReadsFillEntriesUntilAFailure) {
    memory.channels[7].wavelength = identityWavelengthTable();
    (*memory.channels[7].wavelength)[200] = 580.5f;
    load();
    std::array<double, 401> table{};
    EXPECT_EQ(sim.driver.checkWavelengthData(table.data(), 0), -10);
    EXPECT_TRUE(sim.takeSent().empty());
    ASSERT_EQ(sim.driver.checkWavelengthData(table.data(), 7), 0);
    EXPECT_EQ(table[0], 380.0);
    EXPECT_EQ(table[200], 580.5);
    EXPECT_EQ(table[400], 780.0);
    const auto sent = sim.takeSent();
    ASSERT_EQ(sent.size(), 401u);
    EXPECT_EQ(sent[400], "UCPR,0,07,400");

    table.fill(-1.0);
    EXPECT_EQ(sim.driver.checkLevelData(table.data(), 7), 10);  // no level table: ER20
    EXPECT_EQ(table[0], -1.0);
    sim.instrument.injectFault(*rx9100sim::Fault::parse("UCPR,0,07,010:reply:OK00,12"));
    EXPECT_EQ(sim.driver.checkWavelengthData(table.data(), 7), 10);
    EXPECT_EQ(sim.driver.getInstrumentState()->getErrorCode(), 43);
    EXPECT_EQ(table[9], 389.0);
    EXPECT_EQ(table[10], -1.0);
}
