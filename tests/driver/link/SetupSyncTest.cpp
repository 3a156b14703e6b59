// Moving the whole set of conditions now includes the calibration channel: where it comes
// in each sequence and in the recovery.
#include <gtest/gtest.h>

#include "support/SimulatedDriver.h"

namespace {

class ChannelSetupSyncTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sim.driver.setErrorVisible(false);
        ASSERT_EQ(sim.driver.connect(), 0);
        ASSERT_EQ(sim.driver.checkSetupStatus(), 0);
        sim.takeSent();
    }
    static std::vector<std::string> commandsOf(const std::vector<std::string>& sent) {
        std::vector<std::string> names;
        for (const std::string& s : sent) {
            const std::string name = s.substr(0, 4);
            if (names.empty() || names.back() != name) {
                names.push_back(name);
            }
        }
        return names;
    }
    SimulatedDriver sim;
};

}  // namespace

TEST_F(ChannelSetupSyncTest, ReadEndsWithTheActiveChannel) {
    ASSERT_EQ(sim.driver.checkSetupStatus(), 0);
    EXPECT_EQ(commandsOf(sim.takeSent()),
              (std::vector<std::string>{"LNSR", "STSR", "NDFR", "SPMR", "SCMR", "UCCR", "STSR",
                                        "NFCR", "STSR", "NFCR"}));
    EXPECT_EQ(sim.driver.getSetupStatus()->getCalibrationCh(), 0);
}

TEST_F(ChannelSetupSyncTest, WriteSelectsTheChannelBeforeTheNdFilter) {
    rx9100sim::Memory m = sim.instrument.memory();
    m.channels[4].id = "FOUR";
    sim.instrument.setMemory(m);
    SetupStatus& status = *sim.driver.getSetupStatus();
    status.setCalibrationCh(4);
    ASSERT_EQ(sim.driver.setSetupStatus(), 0);
    const auto names = commandsOf(sim.takeSent());
    const std::vector<std::string> head(names.begin(), names.begin() + 5);
    EXPECT_EQ(head, (std::vector<std::string>{"LNSS", "SPMS", "SCMS", "UCCS", "UCCR"}));
    const auto nd = std::find(names.begin(), names.end(), "NDFS");
    ASSERT_NE(nd, names.end());
    EXPECT_EQ(*(nd - 1), "UCPR");  // the channel read back, its ID last
    EXPECT_EQ(sim.instrument.memory().activeChannel, 4);
    EXPECT_EQ(status.getCalibrationId(), "FOUR");
    EXPECT_EQ(sim.ui->waitCursorDepth(), 0);
}

TEST_F(ChannelSetupSyncTest, RecoveryAfterEr00ReadsTheChannelToo) {
    rx9100sim::Memory m = sim.instrument.memory();
    m.activeChannel = 6;
    sim.instrument.setMemory(m);
    sim.instrument.injectFault(*rx9100sim::Fault::parse("SPMR:leave-remote"));
    ASSERT_EQ(sim.driver.checkSpeed(), 0);
    const auto names = commandsOf(sim.takeSent());
    EXPECT_EQ(std::count(names.begin(), names.end(), "UCCR"), 1);
    EXPECT_EQ(names.back(), "SPMR");
    EXPECT_EQ(sim.driver.getSetupStatus()->getCalibrationCh(), 6);
}
