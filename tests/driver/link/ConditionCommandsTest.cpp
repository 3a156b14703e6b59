#include <gtest/gtest.h>

#include "resources/StringTable.h"
#include "support/ScriptedConnection.h"
#include "support/SimulatedDriver.h"

using rx9100sim::Identity;

namespace {

// A driver whose replies the test writes, at a chosen firmware level.
struct ScriptedDriver {
    explicit ScriptedDriver(int firmware) {
        auto link = std::make_unique<ScriptedConnection>();
        wire = link.get();
        driver.setConnection(std::move(link));
        driver.firmwareLevel = firmware;
    }
    std::string lastSent() const { return wire->sent().back(); }
    TestableDriver driver;
    ScriptedConnection* wire = nullptr;
};

}  // namespace

TEST(SpeedCommandTest, ManualIntegrationTimeRoundTrip) {
    ScriptedDriver d(110);
    d.wire->reply("OK00,3,000500000,1");
    ASSERT_EQ(d.driver.checkSpeed(), 0);
    SetupStatus* s = d.driver.getSetupStatus();
    EXPECT_EQ(s->getSpeed(), 7);
    EXPECT_DOUBLE_EQ(s->getSyncManualDouble(), 0.5);
    EXPECT_EQ(d.driver.getInsertNd(), 1);
    EXPECT_EQ(s->getInsertNd(), 1);
    d.wire->reply("OK00");
    ASSERT_EQ(d.driver.setSpeed(), 0);
    EXPECT_EQ(d.lastSent(), "SPMS,3,000500000,1\r\n");
}

TEST(SpeedCommandTest, LinesFollowTheFirmwareLayout) {
    ScriptedDriver old(100);
    SetupStatus* s = old.driver.getSetupStatus();
    s->setSpeed(2);
    old.wire->reply("OK00");
    old.driver.setSpeed();
    EXPECT_EQ(old.lastSent(), "SPMS,1\r\n");
    s->setSpeed(12);
    s->setSyncManualParam(4.0f);
    old.wire->reply("OK00");
    old.driver.setSpeed();
    EXPECT_EQ(old.lastSent(), "SPMS,2,04\r\n");

    ScriptedDriver fresh(110);
    s = fresh.driver.getSetupStatus();
    fresh.driver.setInsertNd(2);
    s->setSpeed(14);
    s->setSyncManualParam(4.0f);
    fresh.wire->reply("OK00");
    fresh.driver.setSpeed();
    EXPECT_EQ(fresh.lastSent(), "SPMS,2,04,2\r\n");
    s->setSpeed(13);
    fresh.wire->reply("OK00");
    fresh.driver.setSpeed();
    EXPECT_EQ(fresh.lastSent(), "SPMS,4,04,2\r\n");
    s->setSpeed(99);
    EXPECT_EQ(fresh.driver.setSpeed(), 10);
    EXPECT_EQ(fresh.wire->sent().size(), 2u);
}

TEST(SpeedCommandTest, ReplyEdgeCases) {
    ScriptedDriver d(110);
    d.wire->reply("OK00,2,05");  // no internal-ND field
    d.driver.checkSpeed();
    EXPECT_EQ(d.driver.getSetupStatus()->getSpeed(), 14);
    EXPECT_FLOAT_EQ(d.driver.getSetupStatus()->getSyncManualParam(), 5.0f);
    EXPECT_EQ(d.driver.getInsertNd(), 0);
    d.wire->reply("OK00,9");
    d.driver.checkSpeed();
    EXPECT_EQ(d.driver.getSetupStatus()->getSpeed(), 3);
    EXPECT_EQ(d.driver.getInsertNd(), -1);

    ScriptedDriver old(100);
    old.wire->reply("OK00,0,1");
    old.driver.checkSpeed();
    EXPECT_EQ(old.driver.getInsertNd(), -1);
}

TEST(SyncCommandTest, FrequencyInHundredths) {
    ScriptedDriver d(110);
    d.wire->reply("OK00,1,06000");
    ASSERT_EQ(d.driver.checkSync(), 0);
    EXPECT_EQ(d.driver.getSetupStatus()->getSync(), 3);
    EXPECT_FLOAT_EQ(d.driver.getSetupStatus()->getSyncInternalParam(), 60.0f);
    d.wire->reply("OK00");
    d.driver.setSync();
    EXPECT_EQ(d.lastSent(), "SCMS,1,06000\r\n");
    d.driver.getSetupStatus()->setSyncInternalParam(20.0f);
    d.wire->reply("OK00");
    d.driver.setSync();
    EXPECT_EQ(d.lastSent(), "SCMS,1,02000\r\n");
    d.driver.getSetupStatus()->setSync(8);
    d.wire->reply("OK00");
    d.driver.setSync();
    EXPECT_EQ(d.lastSent(), "SCMS,0\r\n");
    d.wire->reply("OK00,5");
    d.driver.checkSync();
    EXPECT_EQ(d.driver.getSetupStatus()->getSync(), 2);
}

TEST(SimpleConditionTest, LensNdAreaAndDisplayOptions) {
    ScriptedDriver d(110);
    SetupStatus* s = d.driver.getSetupStatus();
    for (const char* reply : {"OK00,0", "OK00,7"}) {
        d.wire->reply(reply);
        d.driver.checkLens();
        EXPECT_EQ(s->getLens(), 1);
    }
    d.wire->reply("OK00,1");
    d.driver.checkLens();
    EXPECT_EQ(s->getLens(), 11);
    s->setLens(5);
    EXPECT_EQ(d.driver.setLens(), 10);
    std::size_t sent = d.wire->sent().size();

    d.wire->reply("OK00,2");
    d.driver.checkArea();
    EXPECT_EQ(s->getMeasurementArea(), 21);
    EXPECT_EQ(d.driver.mesAng, 2);
    d.wire->reply("OK00,2");
    d.driver.checkNd();
    EXPECT_EQ(s->getNd(), 16);
    d.wire->reply("OK00");
    d.driver.setNd();
    EXPECT_EQ(d.lastSent(), "NDFS,2\r\n");
    EXPECT_EQ(d.wire->sent().size(), sent + 3);

    d.wire->reply("OK00");
    s->setObserver(5);
    d.driver.setObserver(1);
    EXPECT_EQ(d.lastSent(), "OBSS,1\r\n");
    EXPECT_EQ(s->getObserver(), 0);

    int unit = -1;
    d.wire->reply("OK00,0");
    d.driver.checkLuminanceMode(unit);
    EXPECT_EQ(unit, 1);  // instrument 0 is ft-L for the host
    d.wire->reply("OK00");
    d.driver.setLuminanceMode(0);
    EXPECT_EQ(d.lastSent(), "LUUS,1\r\n");

    int always = -1, measuring = -1;
    d.wire->reply("ER30,1,1");  // parsed even though the exchange failed
    EXPECT_EQ(d.driver.checkBackLight(always, measuring), 10);
    EXPECT_EQ(always, 1);
    EXPECT_EQ(measuring, 1);
}

TEST(TriggerEnableTest, StrayReplyIsAskedAgainAndReported) {
    platform::setUiServices(std::make_shared<platform::ScriptedUiServices>());
    auto ui = std::make_shared<platform::ScriptedUiServices>();
    platform::setUiServices(ui);
    ScriptedDriver d(110);
    d.wire->reply("OK00,3,000500000,1");
    d.wire->reply("OK00");
    EXPECT_EQ(d.driver.setTriggerEnable(true, false), 10);
    EXPECT_EQ(d.wire->sent(), (std::vector<std::string>{"MSWE,1\r\n", "MSWE,1\r\n"}));
    ASSERT_EQ(ui->messageBoxes().size(), 1u);
    EXPECT_EQ(ui->messageBoxes()[0].text, resources::loadString(20150));

    d.driver.setErrorVisible(false);
    for (int i = 0; i < 30; ++i)
        d.wire->reply("ER30");
    EXPECT_EQ(d.driver.setTriggerEnable(false, false), 10);  // bounded, last result reported
    EXPECT_EQ(d.wire->sent().size(), 2u + 20u);
    platform::setUiServices(nullptr);
}

TEST(ConditionRoundTripTest, WrittenConditionsReadBackFromTheInstrument) {
    SimulatedDriver sim(Identity{0, "1234567", "1.20"});
    ASSERT_EQ(sim.driver.connect(), 0);
    SetupStatus* s = sim.driver.getSetupStatus();
    s->setLens(11);
    s->setSpeed(7);
    s->setSyncManualDouble(0.25);
    sim.driver.setInsertNd(1);
    s->setSync(3);
    s->setSyncInternalParam(120.5f);
    s->setNd(15);
    s->setCalibrationCh(0);
    ASSERT_EQ(sim.driver.setSetupStatus(), 0);
    *s = SetupStatus();
    ASSERT_EQ(sim.driver.checkSetupStatus(), 0);
    EXPECT_EQ(s->getLens(), 11);
    EXPECT_EQ(s->getSpeed(), 7);
    EXPECT_DOUBLE_EQ(s->getSyncManualDouble(), 0.25);
    EXPECT_EQ(s->getInsertNd(), 1);
    EXPECT_EQ(s->getSync(), 3);
    EXPECT_FLOAT_EQ(s->getSyncInternalParam(), 120.5f);
    EXPECT_EQ(s->getNd(), 15);
    EXPECT_EQ(s->getCalibrationCh(), 0);

    ASSERT_EQ(sim.driver.setColorSpace(3), 0);
    ASSERT_EQ(sim.driver.setBackLight(1, 0), 0);
    int space = -1, always = -1, measuring = -1;
    sim.driver.checkColorSpace(space);
    sim.driver.checkBackLight(always, measuring);
    EXPECT_EQ(space, 3);
    EXPECT_EQ(always, 1);
    EXPECT_EQ(measuring, 0);
}

TEST(SetupSyncTest, UnsupportedLensStopsBeforeAnythingIsSent) {
    SimulatedDriver sim;
    ASSERT_EQ(sim.driver.connect(), 0);
    sim.takeSent();
    sim.driver.getSetupStatus()->setLens(4);
    EXPECT_EQ(sim.driver.setSetupStatus(), 10);
    EXPECT_TRUE(sim.takeSent().empty());

    sim.instrument.injectFault(*rx9100sim::Fault::parse("LNSR:error:30"));
    EXPECT_EQ(sim.driver.checkSetupStatus(), 10);
    EXPECT_EQ(sim.takeSent(), std::vector<std::string>{"LNSR"});
}

TEST(SetupSyncTest, InstrumentThatLeftRemoteModeIsRecoveredTransparently) {
    SimulatedDriver sim;
    ASSERT_EQ(sim.driver.connect(), 0);
    sim.instrument.leaveRemoteMode();
    sim.takeSent();
    EXPECT_EQ(sim.driver.checkLens(), 0);
    auto sent = sim.takeSent();
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(sent[0], "LNSR");
    EXPECT_EQ(sent[1], "RMTS,1");
    EXPECT_TRUE(sim.instrument.remoteMode());
}
