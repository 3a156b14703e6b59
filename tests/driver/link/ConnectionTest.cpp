#include <gtest/gtest.h>

#include <clocale>

#include "resources/StringTable.h"
#include "simulator/PtyServer.h"
#include "support/ScriptedConnection.h"
#include "support/SimulatedDriver.h"

using rx9100sim::Identity;

TEST(ConnectionTest, Rom110IdentifiesAndGetsTheFiveSpeedList) {
    SimulatedDriver sim(Identity{2, "1234567", "1.10"});
    ASSERT_EQ(sim.driver.connect(), 0);
    EXPECT_EQ(sim.takeSent(), (std::vector<std::string>{"RMTS,1", "IDDR", "VERR", "_jig,0"}));
    EXPECT_EQ(sim.driver.firmwareLevel, 110);
    InstrumentId* id = sim.driver.getInstrumentId();
    EXPECT_EQ(id->getName(), "RX-9100A");
    EXPECT_EQ(id->getVariationCode(), 2001);
    EXPECT_EQ(id->getVariation(), "低輝度モデル");
    EXPECT_EQ(id->getBodyNo(), "1234567");
    EXPECT_EQ(id->getRomVersion(), "1.10");
    EXPECT_EQ(itemIds(&sim.driver.listSpeed), (std::vector<int>{3, 2, 7, 14, 13}));
    EXPECT_EQ(sim.driver.getSetupStatus()->getSpeed(), 3);
    EXPECT_FALSE(sim.driver.Is2ndVer());
}

TEST(ConnectionTest, OlderRomKeepsTheStandardNameAndFourSpeeds) {
    SimulatedDriver sim(Identity{2, "1234567", "1.09"});
    ASSERT_EQ(sim.driver.connect(), 0);
    EXPECT_EQ(sim.driver.firmwareLevel, 109);
    EXPECT_EQ(sim.driver.getInstrumentId()->getName(), "RX-9100");
    EXPECT_EQ(sim.driver.getInstrumentId()->getVariation(), "低輝度モデル");
    EXPECT_EQ(itemIds(&sim.driver.listSpeed), (std::vector<int>{3, 2, 7, 12}));
}

TEST(ConnectionTest, RomVersionIsReadAsTheCLocaleReadsItUnderACommaLocale) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
    }
    SimulatedDriver sim(Identity{0, "1234567", "1.20"});
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    EXPECT_EQ(sim.driver.connect(), 0);
    EXPECT_EQ(sim.driver.firmwareLevel, 120);
    std::setlocale(LC_ALL, "C");
}

TEST(ConnectionTest, IdentityRepliesOfUnusualShape) {
    TavoRX9100 driver;
    auto link = std::make_unique<ScriptedConnection>();
    ScriptedConnection* wire = link.get();
    driver.setConnection(std::move(link));
    for (const char* r : {"OK00,RX-9100,1,1234567890", "OK00,1.00", "OK00"})
        wire->reply(r);
    ASSERT_EQ(driver.checkInstrumentId(), 0);
    EXPECT_EQ(driver.getInstrumentId()->getBodyNo(), "1234567");
    EXPECT_EQ(driver.getInstrumentId()->getVariationCode(), 2000);
    EXPECT_EQ(driver.getInstrumentId()->getVariation(), "標準モデル");

    for (const char* r : {"OK00,RX-9100", "OK00,1.00", "OK00"})
        wire->reply(r);
    ASSERT_EQ(driver.checkInstrumentId(), 0);
    EXPECT_EQ(driver.getInstrumentId()->getVariationCode(), 2000);
    EXPECT_EQ(driver.getInstrumentId()->getBodyNo(), "");

    for (const char* r : {"OK00,RX-9100,7,1", "OK00,1.00", "OK00"})
        wire->reply(r);
    ASSERT_EQ(driver.checkInstrumentId(), 0);
    EXPECT_EQ(driver.getInstrumentId()->getVariationCode(), 0);
    EXPECT_EQ(driver.getInstrumentId()->getVariation(), "");

    // A version no instrument has counts as none rather than overflowing the level.
    for (const char* version : {"OK00,1e302", "OK00,-1.10", "OK00,nan", "OK00,inf"}) {
        SCOPED_TRACE(version);
        for (const char* r : {"OK00,RX-9100,0,1234567", version, "OK00"})
            wire->reply(r);
        ASSERT_EQ(driver.checkInstrumentId(), 0);
        EXPECT_EQ(driver.getFirmwareLevel(), 0);
    }
}

TEST(ConnectionTest, FailedConnectLeavesTheInstrumentAsItWasAndThePortClosed) {
    struct Case {
        const char* fault;
        int result;
        int code;
        std::vector<std::string> sent;
    };
    for (const Case& c : {
             // Refused: the instrument never entered remote mode, nothing to undo.
             Case{"RMTS,1:error:30", 10, 30, {"RMTS,1"}},
             // Accepted, then the identification refused: back to local mode, the error kept.
             Case{"VERR:error:30", 10, 30, {"RMTS,1", "IDDR", "VERR", "RMTS,0"}},
             Case{"_jig:error:1", 10, 1, {"RMTS,1", "IDDR", "VERR", "_jig,0", "RMTS,0"}},
             // The instrument stopped answering: nothing more is said to it.
             Case{"IDDR:silent", -10, 99, {"RMTS,1", "IDDR"}},
         }) {
        SCOPED_TRACE(c.fault);
        SimulatedDriver sim;
        sim.driver.setErrorVisible(false);
        sim.instrument.injectFault(*rx9100sim::Fault::parse(c.fault));
        EXPECT_EQ(sim.driver.connect(), c.result);
        EXPECT_EQ(sim.driver.getInstrumentState()->getErrorCode(), c.code);
        EXPECT_EQ(sim.takeSent(), c.sent);
        EXPECT_FALSE(sim.connection->isOpen());
        EXPECT_FALSE(sim.driver.isErrorVisible());  // as the host left it
        if (c.result != -10) {
            EXPECT_FALSE(sim.instrument.remoteMode());
        }
    }
}

// A garbled reply to "RMTS,1" reads as "ER00": the recovery enters remote mode, then its
// identification is refused. The instrument is in remote mode and must be sent back.
TEST(ConnectionTest, AConnectWhoseRecoveryFailedLeavesNoRemoteMode) {
    SimulatedDriver sim;
    sim.driver.setErrorVisible(false);
    sim.instrument.injectFault(*rx9100sim::Fault::parse("RMTS,1:garbage:\\xFF~"));
    sim.instrument.injectFault(*rx9100sim::Fault::parse("IDDR:error:02"));
    EXPECT_EQ(sim.driver.connect(), 10);
    EXPECT_EQ(sim.takeSent(), (std::vector<std::string>{"RMTS,1", "RMTS,1", "IDDR", "RMTS,0"}));
    EXPECT_FALSE(sim.instrument.remoteMode());
    EXPECT_FALSE(sim.connection->isOpen());
}

TEST(ConnectionTest, LeavingRemoteModeNeverEntersIt) {
    SimulatedDriver sim;
    ASSERT_EQ(sim.driver.connect(), 0);
    sim.instrument.leaveRemoteMode();  // the user pressed the instrument's local key
    sim.takeSent();
    EXPECT_EQ(sim.driver.setRemoteMode(0), 0);  // "ER00": local already, as asked
    EXPECT_EQ(sim.driver.getInstrumentState()->getErrorCode(), 200);
    sim.driver.disconnect();
    EXPECT_EQ(sim.takeSent(), (std::vector<std::string>{"RMTS,0", "RMTS,0"}));
    EXPECT_FALSE(sim.instrument.remoteMode());
    EXPECT_FALSE(sim.connection->isOpen());
    EXPECT_TRUE(sim.driver.isErrorVisible());
}

TEST(ConnectionTest, ARefusedLeaveIsAskedOnceMore) {
    for (const char* fault : {"RMTS,0:error:10", "RMTS,0:error:30"}) {
        SCOPED_TRACE(fault);
        SimulatedDriver sim;
        ASSERT_EQ(sim.driver.connect(), 0);
        sim.instrument.injectFault(*rx9100sim::Fault::parse(fault));
        sim.takeSent();
        sim.driver.disconnect();
        EXPECT_EQ(sim.takeSent(), (std::vector<std::string>{"RMTS,0", "RMTS,0"}));
        EXPECT_FALSE(sim.instrument.remoteMode());
    }
    // An instrument that keeps refusing is asked twice, then the port is closed all the same.
    SimulatedDriver sim;
    ASSERT_EQ(sim.driver.connect(), 0);
    sim.instrument.injectFault(*rx9100sim::Fault::parse("RMTS,0#1+:error:10"));
    sim.takeSent();
    sim.driver.disconnect();
    EXPECT_EQ(sim.takeSent(), (std::vector<std::string>{"RMTS,0", "RMTS,0"}));
    EXPECT_FALSE(sim.connection->isOpen());
}

TEST(ConnectionTest, LeavingRemoteModeReadsPastRepliesAnEarlierCommandWasOwed) {
    // A stray line put the exchange a reply behind: the condition read's "OK00,00" is still
    // on its way when "RMTS,0" goes out. The port may close only after the instrument's own
    // answer to "RMTS,0", which proves the command was taken.
    TavoRX9100 driver;
    auto link = std::make_unique<ScriptedConnection>();
    ScriptedConnection* wire = link.get();
    driver.setConnection(std::move(link));
    for (const char* r : {"OK00,00", "OK00,1,06000", "OK00"})
        wire->reply(r);
    EXPECT_EQ(driver.setRemoteMode(0), 0);
    EXPECT_EQ(wire->sent(), std::vector<std::string>{"RMTS,0\r\n"});
    EXPECT_EQ(wire->unread(), 0u);

    // A bare reply is the answer, even a refusal; more late lines than a fault can leave
    // are not read past without end.
    wire->reply("ER00");
    EXPECT_EQ(driver.setRemoteMode(0), 0);
    for (int i = 0; i < 6; ++i)
        wire->reply("OK00,0");
    EXPECT_NE(driver.setRemoteMode(0), 0);
}

TEST(ConnectionTest, DisconnectLeavesRemoteModeWithErrorDisplayBackOn) {
    SimulatedDriver sim;
    ASSERT_EQ(sim.driver.connect(), 0);
    sim.driver.setErrorVisible(false);
    sim.takeSent();
    sim.driver.disconnect();
    EXPECT_EQ(sim.takeSent(), std::vector<std::string>{"RMTS,0"});
    EXPECT_TRUE(sim.driver.isErrorVisible());
    EXPECT_FALSE(sim.connection->isOpen());
    EXPECT_FALSE(sim.instrument.remoteMode());

    sim.driver.disconnect();  // already closed: nothing sent
    EXPECT_TRUE(sim.takeSent().empty());
}

TEST(ConnectionTest, SilentThenHungUpInstrumentGivesMinus10WithoutHanging) {
    SimulatedDriver sim;
    ASSERT_EQ(sim.driver.connect(), 0);
    sim.instrument.injectFault(*rx9100sim::Fault::parse("STSR:silent"));
    EXPECT_EQ(sim.driver.checkArea(), -10);
    EXPECT_EQ(sim.driver.getInstrumentState()->getErrorCode(), 99);
    EXPECT_EQ(sim.driver.getInstrumentState()->getErrorMessage(), resources::loadString(20099));

    sim.instrument.injectFault(*rx9100sim::Fault::parse("LNSR:hangup"));
    EXPECT_EQ(sim.driver.checkLens(), -10);
    EXPECT_EQ(sim.driver.getInstrumentState()->getErrorCode(), 99);
    sim.takeSent();
    sim.driver.disconnect();  // the instrument stopped answering: nothing more is sent
    EXPECT_TRUE(sim.takeSent().empty());
    EXPECT_FALSE(sim.connection->isOpen());
}

TEST(ConnectionTest, ConnectsOverAPseudoTerminalThroughTheSerialTransport) {
    rx9100sim::Instrument instrument(Identity{0, "7654321", "1.20"});
    rx9100sim::PtyServer server(instrument);
    TavoRX9100 driver;
    auto port = std::make_unique<SerialPort>(false, true);
    port->setMethod(3);
    port->setPortName(server.path());
    driver.setConnection(std::move(port));
    ASSERT_EQ(driver.connect(), 0);
    EXPECT_EQ(driver.getInstrumentId()->getBodyNo(), "7654321");
    EXPECT_EQ(driver.checkSetupStatus(), 0);
    driver.disconnect();
    EXPECT_FALSE(instrument.remoteMode());
}
