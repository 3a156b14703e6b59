#include <gtest/gtest.h>

#include "resources/StringTable.h"
#include "support/ScriptedConnection.h"
#include "support/SimulatedDriver.h"

namespace {

// Takes a fresh measurement at the simulated instrument and leaves it readable.
void measureAtInstrument(SimulatedDriver& sim) {
    sim.instrument.setMeasuringTiming({1.0, 0.0});
    std::string reply;
    ASSERT_EQ(sim.driver.doCommunication("MEAS,1\r\n", reply, 15, true), 0);
    ASSERT_TRUE(sim.instrument.waitUntilIdle(std::chrono::seconds(2)));
    ASSERT_EQ(sim.driver.doCommunication_Recv(reply, 20), 0);
}

}  // namespace

TEST(DataDecodingTest, HexReadGivesFourBlocksOf401ValuesAndTheAngle) {
    SimulatedDriver sim;
    ASSERT_EQ(sim.driver.connect(), 0);
    sim.instrument.setMeasuringAngle(2);
    measureAtInstrument(sim);
    sim.takeSent();
    MeasuringData record;
    ASSERT_EQ(sim.driver.getMeasurementData(record), 0);
    EXPECT_EQ(record.getData().size(), 401u);
    EXPECT_EQ(record.getMeasurementArea(), 21);
    EXPECT_EQ(sim.driver.mesAng, 2);
    EXPECT_EQ(sim.driver.getSetupStatus()->getMeasurementArea(), 21);
    EXPECT_EQ(sim.takeSent(), (std::vector<std::string>{"MEDR,0,0,001", "MEDR,1,1,1", "MEDR,1,1,2",
                                                        "MEDR,1,1,3", "MEDR,1,1,4"}));
}

TEST(DataDecodingTest, AngleIndexAboveTwoIsStoredAndReadAsArea21) {
    TestableDriver driver;
    auto link = std::make_unique<ScriptedConnection>();
    ScriptedConnection* wire = link.get();
    driver.setConnection(std::move(link));
    wire->reply("OK00,0,0,1000,0,0,0,7,0");
    for (int b = 1; b <= 4; ++b) {
        std::string block = "OK00";
        for (int i = 0; i < (b == 4 ? 101 : 100); ++i)
            block += ",3F800000";
        wire->reply(block);
    }
    MeasuringData record;
    ASSERT_EQ(driver.getMeasurementData(record), 0);
    EXPECT_EQ(driver.mesAng, 7);
    EXPECT_EQ(record.getMeasurementArea(), 21);
    EXPECT_EQ(record.getData().size(), 401u);
}

TEST(DataDecodingTest, BlockAnsweredEr00IsAskedOnceMore) {
    SimulatedDriver sim;
    ASSERT_EQ(sim.driver.connect(), 0);
    measureAtInstrument(sim);
    sim.instrument.injectFault(*rx9100sim::Fault::parse("MEDR,1,1,2:error:0"));
    sim.takeSent();
    MeasuringData record;
    ASSERT_EQ(sim.driver.getMeasurementData(record), 0);
    EXPECT_EQ(record.getData().size(), 401u);
    auto sent = sim.takeSent();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "MEDR,1,1,2"), 2);
}

TEST(DataDecodingTest, HeaderAnsweredEr00ReportsDataNotReceived) {
    SimulatedDriver sim;
    ASSERT_EQ(sim.driver.connect(), 0);
    measureAtInstrument(sim);
    sim.driver.setErrorVisible(true);
    // "ER00" to the header, and again when it is asked once more after the recovery.
    sim.instrument.injectFault(*rx9100sim::Fault::parse("MEDR,0,0,001#1+:error:0"));
    MeasuringData record;
    EXPECT_EQ(sim.driver.getMeasurementData(record), 10);
    EXPECT_EQ(sim.driver.getInstrumentState()->getErrorMessage(), resources::loadString(20202));
    ASSERT_FALSE(sim.ui->messageBoxes().empty());
    EXPECT_EQ(sim.ui->messageBoxes().back().text, resources::loadString(20202));
}

TEST(DataDecodingTest, BlockAnsweredEr00EvenWhenAskedOnceMoreIsNotReceived) {
    SimulatedDriver sim;
    ASSERT_EQ(sim.driver.connect(), 0);
    measureAtInstrument(sim);
    sim.driver.setErrorVisible(false);
    sim.instrument.injectFault(*rx9100sim::Fault::parse("MEDR,1,1,2#1+:leave-remote"));
    MeasuringData record;
    EXPECT_EQ(sim.driver.getMeasurementData(record), 10);
    EXPECT_EQ(sim.driver.getInstrumentState()->getErrorCode(), 43);
    EXPECT_EQ(sim.driver.getInstrumentState()->getErrorMessage(), resources::loadString(20202));
    EXPECT_EQ(record.getData().size(), 100u);  // what was read before stays, nothing is added
}

TEST(DataDecodingTest, TextModeCollects401ValuesFromFifteenContinuations) {
    SimulatedDriver sim;
    ASSERT_EQ(sim.driver.connect(), 0);
    measureAtInstrument(sim);
    sim.takeSent();
    MeasuringData record;
    ASSERT_EQ(sim.driver.getMesTextData("MEDR,0,0,000\r\n", record), 0);
    EXPECT_EQ(record.getData().size(), 401u);
    auto sent = sim.takeSent();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "&"), 15);

    MeasuringData hex;
    sim.driver.getMeasurementData(hex);
    EXPECT_NEAR(record.getData()[170], hex.getData()[170], 1e-3 * hex.getData()[170] + 1e-9);

    sim.driver.setErrorVisible(false);
    for (const char* fault : {"&#3:drop", "&#15:value:9:1.0", "&#7:value:4:1.2.3"}) {
        sim.instrument.injectFault(*rx9100sim::Fault::parse(fault));
        EXPECT_EQ(sim.driver.getMesTextData("MEDR,0,0,000\r\n", record), 10) << fault;
        EXPECT_EQ(sim.driver.getInstrumentState()->getErrorCode(), 43) << fault;
    }
}

TEST(StoredDataTest, EmptyNumbersAreNotErrorsAndZeroColoursAreNoData) {
    SimulatedDriver sim;
    ASSERT_EQ(sim.driver.connect(), 0);
    std::string reply = "stale";
    EXPECT_EQ(sim.driver.readStoredHeader(true, 5, reply), 0);
    EXPECT_EQ(reply, "");
    EXPECT_EQ(sim.driver.getInstrumentState()->getErrorCode(), 200);
    EXPECT_FALSE(sim.driver.readStoredColor(true, 5, reply));

    measureAtInstrument(sim);
    ASSERT_TRUE(sim.instrument.storeTarget(5, "PANEL"));
    ASSERT_EQ(sim.driver.readStoredHeader(true, 5, reply), 0);
    EXPECT_TRUE(reply.starts_with("OK00"));
    MeasuringData record;
    EXPECT_EQ(sim.driver.readStoredSpectrum(true, 5, record), 0);
    EXPECT_EQ(record.getData().size(), 401u);
    ASSERT_TRUE(sim.driver.readStoredColor(true, 5, reply));
    sim.driver.decodeStoredColor(reply, record);
    ASSERT_EQ(record.getData().size(), 3u);
    EXPECT_GT(record.getData()[0], 0.0);
    sim.driver.readTargetName(5, record);
    EXPECT_EQ(record.getCommonString(), "PANEL");
    sim.driver.readTargetName(6, record);
    EXPECT_EQ(record.getCommonString(), "          ");
}

TEST(StoredDataTest, UnreadableStoredDataIsAFailure) {
    SimulatedDriver sim;
    sim.driver.setErrorVisible(false);
    ASSERT_EQ(sim.driver.connect(), 0);
    measureAtInstrument(sim);
    ASSERT_TRUE(sim.instrument.storeTarget(5, "PANEL"));
    std::string reply;
    auto expectNotReceived = [&sim](const char* what) {
        EXPECT_EQ(sim.driver.getInstrumentState()->getErrorCode(), 43) << what;
        EXPECT_EQ(sim.driver.getInstrumentState()->getErrorMessage(), resources::loadString(20202))
            << what;
    };
    for (const char* fault : {"TGDR,05,0:drop", "TGDR,05,0:value:6:one"}) {
        sim.instrument.injectFault(*rx9100sim::Fault::parse(fault));
        EXPECT_EQ(sim.driver.readStoredHeader(true, 5, reply), 10) << fault;
        EXPECT_EQ(reply, "");
        expectNotReceived(fault);
    }
    for (const char* fault : {"TGDR,05,1,1,3:drop:5", "TGDR,05,1,1,1:value:0:-1"}) {
        sim.instrument.injectFault(*rx9100sim::Fault::parse(fault));
        MeasuringData record;
        EXPECT_EQ(sim.driver.readStoredSpectrum(true, 5, record), 10) << fault;
        expectNotReceived(fault);
    }
    sim.instrument.injectFault(*rx9100sim::Fault::parse("TGDR,05,2:value:1:0.3x"));
    EXPECT_FALSE(sim.driver.readStoredColor(true, 5, reply));
    EXPECT_EQ(reply, "");
    expectNotReceived("colour values");
}

TEST(StoredDataTest, ThreeZeroColourValuesCountAsNoColourData) {
    TestableDriver driver;
    auto link = std::make_unique<ScriptedConnection>();
    ScriptedConnection* wire = link.get();
    driver.setConnection(std::move(link));
    wire->reply("OK00,0.0,0.0,0.0");
    std::string reply;
    EXPECT_FALSE(driver.readStoredColor(false, 7, reply));
    EXPECT_EQ(reply, "");
    EXPECT_EQ(wire->sent().back(), "STDR,07,2,0,01\r\n");
    driver.setApplicationObserver(10);
    wire->reply("OK00,12.5,0.3127,0.3290");
    EXPECT_TRUE(driver.readStoredColor(true, 3, reply));
    EXPECT_EQ(wire->sent().back(), "TGDR,03,2,0,11\r\n");
}

TEST(WhiteApplicationTest, DividesByTheRecordOfTheMethodAndAngle) {
    TestableDriver driver;
    MeasuringData record;
    record.getData().assign(401, 1.0);
    driver.whiteCalibrationTra(1)->coefficient.assign(401, 2.0);
    driver.mesAng = 1;
    driver.getSetupStatus()->setMeasurementMethod(2);
    driver.CalbMeasurementData(record);  // not valid yet: untouched
    EXPECT_DOUBLE_EQ(record.getData()[0], 1.0);
    driver.whiteCalibrationTra(1)->valid = true;
    driver.CalbMeasurementData(record);
    EXPECT_DOUBLE_EQ(record.getData()[400], 50.0);

    driver.getSetupStatus()->setMeasurementMethod(3);
    driver.ConvMeasurementData(record, 0);
    EXPECT_DOUBLE_EQ(record.getData()[400], 50.0);

    MeasuringData shortRecord;
    shortRecord.getData().assign(3, 1.0);
    driver.CalbTraMeasurementData(shortRecord);
    EXPECT_DOUBLE_EQ(shortRecord.getData()[0], 1.0);
    driver.getSetupStatus()->setMeasurementMethod(1);  // method 1 uses the other set
    driver.ConvMeasurementData(record, 0);
    EXPECT_DOUBLE_EQ(record.getData()[400], 50.0);
}
