// Framing, remote mode, identification and the measuring-condition commands.
#include "SimulatorFixture.h"

namespace rx9100sim::test {
namespace {

class Protocol : public SimulatorTest {};

TEST_F(Protocol, OutsideRemoteModeOnlyEnteringItIsAnswered) {
    EXPECT_EQ(ask("IDDR"), "ER00");
    EXPECT_EQ(ask("RMTS,0"), "ER00");
    EXPECT_EQ(ask("NONSENSE"), "ER00");
    EXPECT_EQ(ask("RMTS,1"), "OK00");
    EXPECT_EQ(ask("IDDR"), "OK00,RX-9100,0,1000001");
    EXPECT_EQ(ask("RMTS,0"), "OK00");
    EXPECT_EQ(ask("VERR"), "ER00");
}

TEST_F(Protocol, IdentificationFollowsTheConfiguredIdentity) {
    instrument.setIdentity(Identity{2, "ABC1234567", "1.09"});
    enterRemote();
    EXPECT_EQ(ask("IDDR"), "OK00,RX-9100,2,ABC1234567");
    EXPECT_EQ(ask("VERR"), "OK00,1.09");
    EXPECT_EQ(ask("_jig,0"), "OK00");
    EXPECT_EQ(ask("_jig,1"), "ER01");
    EXPECT_EQ(Identity({0, "", "1.10"}).firmwareLevel(), 110);
    EXPECT_EQ(Identity({0, "", "1.09"}).firmwareLevel(), 109);
}

TEST_F(Protocol, LinesMayEndInCrLfCrOrLfAndArriveInPieces) {
    enterRemote();
    link.sendString("VERR\r", 5);
    EXPECT_EQ(receive(), "OK00,1.10");
    link.sendString("\nSTS", 4);
    link.sendString("R\n", 2);
    EXPECT_EQ(receive(), "OK00,0");
    link.sendString("\r\n\r\nUCCR\r\n", 10);  // blank lines are ignored
    EXPECT_EQ(receive(), "OK00,00");
    const auto lines = instrument.receivedLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(instrument.transcript()[2].bytes, "VERR\r\n");
}

TEST_F(Protocol, UnknownOrMalformedCommandsAreRefused) {
    enterRemote();
    for (const char* line : {"ABCD", "iddr", "SPMS,9", "SPMS,0", "LNSS,2", "LNSR,1", "NDFS",
                             "MEAS,2", "SCMS,1,6000x", "UCCS,11", "TGSL,21", "TGSL,00", "BALS,1",
                             "CSMS,6", "ALFR,3,000", "ALFR,0,401", "RMTS,2"}) {
        EXPECT_EQ(ask(line), "ER01") << line;
    }
    EXPECT_EQ(ask("&"), "ER05");
}

struct RoundTrip {
    const char* write;
    const char* read;
    const char* reply;
};

class ConditionRoundTrip : public SimulatorTest, public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(ConditionRoundTrip, WrittenValueIsReadBack) {
    enterRemote();
    EXPECT_EQ(ask(GetParam().write), "OK00");
    EXPECT_EQ(ask(GetParam().read), GetParam().reply);
}

INSTANTIATE_TEST_SUITE_P(
    Firmware110, ConditionRoundTrip,
    ::testing::Values(
        RoundTrip{"SPMS,3,000500000,1", "SPMR", "OK00,3,000500000,1"},
        RoundTrip{"SPMS,2,04,2", "SPMR", "OK00,2,04,2"},
        RoundTrip{"SPMS,4,16,0", "SPMR", "OK00,4,16,0"}, RoundTrip{"SPMS,1,2", "SPMR", "OK00,1,2"},
        RoundTrip{"SCMS,1,06000", "SCMR", "OK00,1,06000"},
        RoundTrip{"SCMS,1,02000", "SCMR", "OK00,1,02000"}, RoundTrip{"SCMS,2", "SCMR", "OK00,2"},
        RoundTrip{"LNSS,1", "LNSR", "OK00,1"}, RoundTrip{"NDFS,2", "NDFR", "OK00,2"},
        RoundTrip{"CSMS,5", "CSMR", "OK00,5"}, RoundTrip{"DIMS,2", "DIMR", "OK00,2"},
        RoundTrip{"OBSS,1", "OBSR", "OK00,1"}, RoundTrip{"BALS,0,1", "BALR", "OK00,0,1"},
        RoundTrip{"LUUS,0", "LUUR", "OK00,0"}, RoundTrip{"TGSL,07", "TGSR", "OK00,07"},
        RoundTrip{"UCCS,03", "UCCR", "OK00,03"}));

TEST_F(Protocol, OldFirmwareSpeedLayoutsHaveNoInternalNdFieldExceptForManualTime) {
    instrument.setIdentity(Identity{0, "1000001", "1.00"});
    enterRemote();
    EXPECT_EQ(ask("SPMR"), "OK00,0");
    EXPECT_EQ(ask("SPMS,1"), "OK00");
    EXPECT_EQ(ask("SPMR"), "OK00,1");
    EXPECT_EQ(ask("SPMS,2,04"), "OK00");
    EXPECT_EQ(ask("SPMR"), "OK00,2,04");
    EXPECT_EQ(ask("SPMS,3,000500000,1"), "OK00");
    EXPECT_EQ(ask("SPMR"), "OK00,3,000500000,1");
    // Layouts of the newer firmware are refused.
    EXPECT_EQ(ask("SPMS,1,0"), "ER01");
    EXPECT_EQ(ask("SPMS,2,04,1"), "ER01");
    EXPECT_EQ(ask("SPMS,4,02"), "ER01");
}

TEST_F(Protocol, NewFirmwareRequiresTheInternalNdField) {
    enterRemote();
    EXPECT_EQ(ask("SPMS,1"), "ER01");
    EXPECT_EQ(ask("SPMS,2,04"), "ER01");
    EXPECT_EQ(ask("SPMS,0,3"), "ER01");
    EXPECT_EQ(ask("SPMS,3,000001000,0"), "ER01");  // shorter than the shortest integration time
    EXPECT_EQ(ask("SPMR"), "OK00,0,0");
}

TEST_F(Protocol, MeasuringAngleIsAMechanicalSetting) {
    enterRemote();
    EXPECT_EQ(ask("STSR"), "OK00,0");
    instrument.setMeasuringAngle(2);
    EXPECT_EQ(ask("STSR"), "OK00,2");
    EXPECT_EQ(ask("STSS,1"), "ER01");
}

TEST_F(Protocol, LeavingRemoteModeDisablesTheKey) {
    enterRemote();
    EXPECT_EQ(ask("MSWE,1"), "OK00");
    EXPECT_TRUE(instrument.keyEnabled());
    instrument.leaveRemoteMode();
    EXPECT_EQ(ask("MSWE,1"), "ER00");
    EXPECT_FALSE(instrument.keyEnabled());
    EXPECT_FALSE(instrument.pressKey());
}

}  // namespace
}  // namespace rx9100sim::test
