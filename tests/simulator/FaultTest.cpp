// Every kind of misbehaviour, its syntax, and the transcript that shows it.
#include <fstream>
#include <sstream>

#include "SimulatorFixture.h"
#include "simulator/Fault.h"

namespace rx9100sim::test {
namespace {

class Faults : public SimulatorTest {
  protected:
    void SetUp() override {
        SimulatorTest::SetUp();
        enterRemote();
    }
    void arm(const std::string& item) {
        std::string error;
        const auto f = Fault::parse(item, &error);
        ASSERT_TRUE(f) << error;
        instrument.injectFault(*f);
    }
};

TEST(FaultSyntax, ParsesTriggerActionAndArgument) {
    const auto f = Fault::parse("MEAS,1#2:error:30");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->match, "MEAS,1");
    EXPECT_EQ(f->occurrence, 2);
    EXPECT_EQ(f->kind, Fault::Kind::ErrorReply);
    EXPECT_EQ(f->code, 30);
    EXPECT_EQ(Fault::parse("*:silent")->match, "");
    EXPECT_EQ(Fault::parse(":hangup")->kind, Fault::Kind::HangUp);
    EXPECT_EQ(Fault::parse("IDDR:slow:2500")->delay, 2500ms);
    EXPECT_EQ(Fault::parse("X:garbage:\\x15~")->text, "\x15~");
    EXPECT_EQ(Fault::parse("X:stray")->text, "OK00");
    EXPECT_EQ(Fault::parse("MEDR:inf:7")->valueIndex, 7);
    EXPECT_EQ(Fault::parse("MEAS,1#2:error:30")->describe(), "MEAS,1#2:error:30");
    const auto always = Fault::parse("*#1+:reply:OK00");
    ASSERT_TRUE(always);
    EXPECT_TRUE(always->repeats);
    EXPECT_EQ(always->kind, Fault::Kind::Replace);
    EXPECT_EQ(always->describe(), "*#1+:reply:OK00");
    EXPECT_EQ(Fault::parse("MEDR:drop")->count, 1);
    EXPECT_EQ(Fault::parse("MEDR:drop:3")->describe(), "MEDR#1:drop:3");
    const auto value = Fault::parse("MEDR:value:7:3F80ZZ00");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->valueIndex, 7);
    EXPECT_EQ(value->text, "3F80ZZ00");
    std::string error;
    for (const char* bad : {"IDDR", "IDDR:explode", "IDDR#0:silent", "IDDR:error:100", "IDDR:slow",
                            "X#y:silent", "X#+:silent", "X:drop:0", "X:value:3", "X:value:-1:0"}) {
        EXPECT_FALSE(Fault::parse(bad, &error)) << bad;
        EXPECT_FALSE(error.empty());
    }
}

TEST_F(Faults, ErrorReplyHitsOnlyTheKthMatchingCommand) {
    arm("SPMR#2:error:30");
    EXPECT_EQ(ask("SPMR"), "OK00,0,0");
    EXPECT_EQ(ask("SCMR"), "OK00,0");
    EXPECT_EQ(ask("SPMR"), "ER30");
    EXPECT_EQ(ask("SPMR"), "OK00,0,0");
    EXPECT_EQ(instrument.armedFaults(), 0u);
}

TEST_F(Faults, LeaveRemoteMakesTheCommandAnswerEr00UntilReentered) {
    arm("STSR:leave-remote");
    EXPECT_EQ(ask("STSR"), "ER00");
    EXPECT_EQ(ask("IDDR"), "ER00");
    EXPECT_EQ(ask("RMTS,1"), "OK00");
    EXPECT_EQ(ask("STSR"), "OK00,0");
}

TEST_F(Faults, SilentLineIsLostWithoutEffect) {
    link.setReceiveWaitOverride(50ms);
    arm("SPMS:silent");
    send("SPMS,1,0");
    EXPECT_THROW(receive(), SerialPortException);
    EXPECT_EQ(ask("SPMR"), "OK00,0,0");
}

TEST_F(Faults, StrayLineAndGarbageSurroundTheReply) {
    arm("VERR:stray:OK00,9");
    EXPECT_EQ(ask("VERR"), "OK00,1.10");
    EXPECT_EQ(receive(), "OK00,9");
    arm("VERR:garbage:\\x15~");
    EXPECT_EQ(ask("VERR"), "\x15~OK00,1.10");
}

TEST_F(Faults, NonFiniteValuesReplaceOneValue) {
    ASSERT_EQ(measure(), "OK00");
    arm("MEDR,1,1,2:nan:3");
    auto f = fields(ask("MEDR,1,1,2"));
    EXPECT_EQ(f[4], "7FC00000");
    EXPECT_NE(f[5], "7FC00000");
    arm("MEDR,1,1,4:inf:100");
    EXPECT_EQ(fields(ask("MEDR,1,1,4"))[101], "7F800000");
    ASSERT_EQ(ask("MEDR,1,0,001"), "OK00");
    arm("&:nan:0");
    EXPECT_EQ(fields(ask("&"))[0], "NAN");
}

TEST_F(Faults, ValuesCanBeLeftOutReplacedOrAdded) {
    ASSERT_EQ(measure(), "OK00");
    arm("MEDR,1,1,1:drop");
    EXPECT_EQ(fields(ask("MEDR,1,1,1")).size(), 100u);  // status word and 99 values
    arm("MEDR,1,1,4:drop:101");
    EXPECT_EQ(ask("MEDR,1,1,4"), "OK00");
    arm("MEDR,1,1,2:value:5:3F80ZZ00");
    auto f = fields(ask("MEDR,1,1,2"));
    EXPECT_EQ(f[6], "3F80ZZ00");
    EXPECT_EQ(f.size(), 101u);
    arm("MEDR,1,1,3:value:100:3F800000");
    f = fields(ask("MEDR,1,1,3"));
    ASSERT_EQ(f.size(), 102u);
    EXPECT_EQ(f[101], "3F800000");
}

TEST_F(Faults, ReplaceAnswersTheTextWithoutActingAndCanRepeat) {
    arm("*#2+:reply:OK00");
    EXPECT_EQ(ask("STSR"), "OK00,0");
    EXPECT_EQ(ask("MEAS,1"), "OK00");
    EXPECT_FALSE(instrument.isMeasuring());  // the command had no effect
    EXPECT_EQ(ask("IDDR"), "OK00");
    EXPECT_EQ(instrument.armedFaults(), 1u);
    instrument.clearFaults();
    EXPECT_EQ(ask("STSR"), "OK00,0");
}

TEST_F(Faults, HangUpDropsTheLineMidReply) {
    arm("IDDR:hangup");
    send("IDDR");
    EXPECT_THROW(receive(), SerialPortException);
    EXPECT_FALSE(link.isOpen());
    EXPECT_THROW(send("VERR"), SerialPortException);
    link.open();
    EXPECT_EQ(ask("VERR"), "OK00,1.10");
    const auto t = instrument.transcript();
    bool halfReply = false;
    for (const auto& e : t) {
        halfReply = halfReply || e.bytes == "OK00,RX-9100";
    }
    EXPECT_TRUE(halfReply);
}

TEST_F(Faults, SlowReplyArrivesAfterTheReceiverGaveUp) {
    arm("VERR:slow:300");
    link.setReceiveWaitOverride(50ms);
    send("VERR");
    EXPECT_THROW(receive(), SerialPortException);
    link.setReceiveWaitOverride(2s);
    EXPECT_EQ(receive(), "OK00,1.10");
}

TEST_F(Faults, CancelAbortsReceivesUntilTheNextSend) {
    link.setReceiveWaitOverride(5s);
    std::thread canceller([this] {
        std::this_thread::sleep_for(50ms);
        link.cancel();
    });
    EXPECT_THROW(receive(), SerialPortException);
    canceller.join();
    EXPECT_TRUE(link.isCanceled());
    EXPECT_THROW(receive(), SerialPortException);  // still cancelled: no wait at all
    EXPECT_EQ(ask("VERR"), "OK00,1.10");
    EXPECT_FALSE(link.isCanceled());
}

TEST_F(Faults, OpenFailureAndClosedPortThrow) {
    link.close();
    EXPECT_THROW(send("VERR"), SerialPortException);
    link.setOpenFails(true);
    EXPECT_THROW(link.open(), SerialPortException);
    link.setOpenFails(false);
    link.open();
    EXPECT_EQ(ask("VERR"), "OK00,1.10");
}

TEST_F(Faults, TranscriptRecordsBothDirectionsAndCanGoToAFile) {
    const ScratchFolder folder;
    const std::string path = folder.file("transcript.txt");
    ASSERT_TRUE(instrument.setTranscriptFile(path));
    instrument.clearTranscript();
    EXPECT_EQ(ask("STSR"), "OK00,0");
    const auto t = instrument.transcript();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].direction, TranscriptEntry::Direction::Received);
    EXPECT_EQ(t[0].bytes, "STSR\r\n");
    EXPECT_EQ(t[1].direction, TranscriptEntry::Direction::Sent);
    EXPECT_EQ(t[1].bytes, "OK00,0\r\n");
    EXPECT_LE(t[0].time, t[1].time);
    instrument.setTranscriptFile("");
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find(" -> STSR\\r\\n\n"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find(" <- OK00,0\\r\\n\n"), std::string::npos);
}

TEST_F(Faults, WireEmulationDelaysRepliesByTheirLength) {
    instrument.setWireTiming(WireTiming{38400, 10, 0us});
    EXPECT_EQ(WireTiming({38400, 10, 0us}).transfer(3840), 1s);
    EXPECT_EQ(WireTiming({}).transfer(100000), 0us);
    // The 915-byte block takes about 0.24 s on the line; a shorter wait gives up.
    ASSERT_EQ(measure(), "OK00");
    link.setReceiveWaitOverride(50ms);
    send("MEDR,1,1,4");
    EXPECT_THROW(receive(), SerialPortException);
    link.setReceiveWaitOverride(2s);
    EXPECT_EQ(fields(receive()).size(), 102u);
}

}  // namespace
}  // namespace rx9100sim::test
