// An instrument that left remote mode ("ER00") is brought back, and the command that met
// "ER00" is sent once more: whatever the operation was doing, it gets its real reply.
#include <gtest/gtest.h>

#include "support/SimulatedDriver.h"

namespace {

class RecoveryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sim.driver.setErrorVisible(false);
        ASSERT_EQ(sim.driver.connect(), 0);
        sim.instrument.setMeasuringTiming({1.0, 0.02});
    }
    void leaveRemoteAt(const std::string& prefix) {
        sim.instrument.injectFault(*rx9100sim::Fault::parse(prefix + ":leave-remote"));
    }
    long sentCount(const std::vector<std::string>& sent, const std::string& line) {
        return std::count(sent.begin(), sent.end(), line);
    }

    SimulatedDriver sim;
};

}  // namespace

TEST_F(RecoveryTest, MeasurementStartedAfterRecoveryIsMeasured) {
    leaveRemoteAt("MEAS,1");
    std::vector<MeasuringData> out;
    ASSERT_EQ(sim.driver.doMeasurement(out, nullptr), 0);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].getData().size(), 401u);
    const auto sent = sim.takeSent();
    EXPECT_EQ(sentCount(sent, "MEAS,1"), 2);
    EXPECT_EQ(sentCount(sent, "RMTS,1"), 2);  // connect's and the recovery's
}

TEST_F(RecoveryTest, ConditionReadBackGivesTheInstrumentsValue) {
    std::string reply;
    ASSERT_EQ(sim.driver.doCommunication("SPMS,3,000500000,1\r\n", reply, 10, true), 0);
    ASSERT_EQ(sim.driver.doCommunication("SCMS,1,06000\r\n", reply, 10, true), 0);
    for (const char* read : {"SPMR", "SCMR"}) {
        SCOPED_TRACE(read);
        *sim.driver.getSetupStatus() = SetupStatus();
        leaveRemoteAt(read);
        ASSERT_EQ(read == std::string("SPMR") ? sim.driver.checkSpeed() : sim.driver.checkSync(),
                  0);
        SetupStatus& status = *sim.driver.getSetupStatus();
        EXPECT_EQ(status.getSpeed(), 7);
        EXPECT_DOUBLE_EQ(status.getSyncManualDouble(), 0.5);
        EXPECT_EQ(status.getSync(), 3);
        EXPECT_FLOAT_EQ(status.getSyncInternalParam(), 60.0f);
        EXPECT_EQ(sim.driver.getInsertNd(), 1);
    }
}

TEST_F(RecoveryTest, ConditionWriteSendsTheHostsValuesWhereverTheInstrumentDropsOut) {
    for (const char* write : {"LNSS", "SPMS", "SCMS", "NDFS"}) {
        SCOPED_TRACE(write);
        ASSERT_EQ(sim.driver.checkSetupStatus(), 0);
        SetupStatus& status = *sim.driver.getSetupStatus();
        const SetupStatus before = status;
        status.setLens(11);
        status.setSpeed(7);
        status.setSyncManualDouble(0.25);
        sim.driver.setInsertNd(1);
        status.setSync(3);
        status.setSyncInternalParam(120.5f);
        status.setNd(15);
        const SetupStatus wanted = status;
        leaveRemoteAt(write);
        sim.takeSent();
        ASSERT_EQ(sim.driver.setSetupStatus(), 0);
        EXPECT_EQ(sentCount(sim.takeSent(), "RMTS,1"), 1);  // it did drop out on the way
        EXPECT_EQ(status.getLens(), 11);                    // the driver keeps what it wrote
        EXPECT_EQ(status.getSpeed(), 7);
        EXPECT_EQ(status.getSync(), 3);
        EXPECT_EQ(status.getNd(), 15);
        EXPECT_EQ(sim.driver.getInsertNd(), 1);

        *sim.driver.getSetupStatus() = SetupStatus();
        ASSERT_EQ(sim.driver.checkSetupStatus(), 0);  // and the instrument holds it
        EXPECT_EQ(status.getLens(), wanted.getLens());
        EXPECT_EQ(status.getSpeed(), wanted.getSpeed());
        EXPECT_DOUBLE_EQ(status.getSyncManualDouble(), wanted.getSyncManualDouble());
        EXPECT_EQ(status.getInsertNd(), wanted.getInsertNd());
        EXPECT_EQ(status.getSync(), wanted.getSync());
        EXPECT_FLOAT_EQ(status.getSyncInternalParam(), wanted.getSyncInternalParam());
        EXPECT_EQ(status.getNd(), wanted.getNd());

        status = before;  // the instrument back as it was for the next round
        ASSERT_EQ(sim.driver.setSetupStatus(), 0);
    }
}

TEST_F(RecoveryTest, SecondEr00IsARefusalWithoutAnotherRecovery) {
    // The first SPMR and the repeated one (the third: the recovery reads the speed too).
    leaveRemoteAt("SPMR#1");
    leaveRemoteAt("SPMR#3");
    sim.takeSent();
    EXPECT_EQ(sim.driver.checkSpeed(), 10);
    EXPECT_EQ(sim.driver.getInstrumentState()->getErrorCode(), 0);
    const auto sent = sim.takeSent();
    EXPECT_EQ(sentCount(sent, "RMTS,1"), 1);
    EXPECT_EQ(sent.back(), "SPMR");
}

TEST_F(RecoveryTest, DataReadAfterRecoveryIsTheMeasurementsAndEr00AgainIsNotReceived) {
    std::vector<MeasuringData> out;
    ASSERT_EQ(sim.driver.doMeasurement(out, nullptr), 0);
    const std::vector<double> measured = out[0].getData();
    leaveRemoteAt("MEDR,0,0,001");
    leaveRemoteAt("MEDR,1,1,3");
    MeasuringData record;
    ASSERT_EQ(sim.driver.getMeasurementData(record), 0);
    EXPECT_EQ(record.getData(), measured);

    sim.instrument.injectFault(*rx9100sim::Fault::parse("MEDR,0,0,001#1+:error:0"));
    EXPECT_EQ(sim.driver.getMeasurementData(record), 10);
    EXPECT_EQ(sim.driver.getInstrumentState()->getErrorCode(), 43);
}
