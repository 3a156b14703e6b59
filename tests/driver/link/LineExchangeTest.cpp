#include "link/LineExchange.h"

#include <gtest/gtest.h>

#include "link/RemoteModeRecovery.h"
#include "platform/ScriptedUiServices.h"
#include "support/ScriptedConnection.h"

namespace {

using Outcome = ExchangeOutcome;

class BareExchangeTest : public ::testing::Test {
  protected:
    void SetUp() override { platform::setUiServices(ui); }
    void TearDown() override { platform::setUiServices(nullptr); }

    std::shared_ptr<platform::ScriptedUiServices> ui =
        std::make_shared<platform::ScriptedUiServices>();
    ScriptedConnection wire;
    HostConnection* connection = &wire;
    InstrumentState state;
    std::atomic<bool> errorVisible{true};
    LineExchange line{connection, state, errorVisible};
    std::string reply;
};

// The links the recovery talks through, over the bare exchange.
struct Recovery {
    explicit Recovery(LineExchange& line, HostConnection& connection)
        : identity(line, connection, id),
          conditions(line, {status, insertNd, angle, 110}),
          channels(line, LinkState{state, line}, status) {}
    int run(bool expectOk, RemoteSession session) {
        return recoverRemoteMode(identity, conditions, channels, state, expectOk, session);
    }
    InstrumentId id;
    SetupStatus status;
    int insertNd = 0;
    int angle = 0;
    InstrumentState state;
    ConnectionLink identity;
    ConditionLink conditions;
    ChannelLink channels;
};

constexpr const char* kRecoveredInstrument[] = {
    "OK00",    "OK00,0,1,1234567", "OK00,1.10", "OK00",  // RMTS,1, IDDR, VERR, _jig
    "OK00,1",  "OK00,2",           "OK00,0",    "OK00,0,0",
    "OK00,2",  // lens, angle, ND, speed, sync
    "OK00,00", "OK00,2",           "ER20",      "OK00,2",   "ER20"};  // channel 0, no ND tables

}  // namespace

TEST(ReplyClassTest, RepliesByExpectation) {
    using Class = ReplyClass;
    EXPECT_EQ(classifyReply("OK16", true), (Class{Outcome::Done, 216}));
    EXPECT_EQ(classifyReply("OK00,1.23", true), (Class{Outcome::Done, 200}));
    EXPECT_EQ(classifyReply("ER12", true), (Class{Outcome::Refused, 12}));
    EXPECT_EQ(classifyReply("ER00", true), (Class{Outcome::LeftRemoteMode, 0}));
    EXPECT_EQ(classifyReply("XY", true), (Class{Outcome::LeftRemoteMode, 0}));
    EXPECT_EQ(classifyReply("XY", false), (Class{Outcome::Done, std::nullopt}));
    EXPECT_EQ(classifyReply("OK16", false), (Class{Outcome::Done, std::nullopt}));
    EXPECT_EQ(classifyReply("ER21", false), (Class{Outcome::Refused, 21}));
    EXPECT_EQ(classifyReply("ER00", false), (Class{Outcome::LeftRemoteMode, 0}));
    EXPECT_EQ(classifyReceived("ER00"), (Class{Outcome::Refused, 0}));
    EXPECT_EQ(classifyReceived("OK05"), (Class{Outcome::Done, 205}));
}

TEST_F(BareExchangeTest, LeavingRemoteModeIsReportedAndNothingElseIsSent) {
    wire.reply("ER00");
    const ExchangeResult result = line.send("SPMR\r\n", reply, 10, true);
    EXPECT_TRUE(result.leftRemoteMode());
    EXPECT_EQ(result.status(), 10);
    EXPECT_EQ(state.getErrorCode(), 0);
    EXPECT_EQ(wire.sent(), std::vector<std::string>{"SPMR\r\n"});
    EXPECT_TRUE(ui->messageBoxes().empty());
    wire.reply("ER00");
    EXPECT_EQ(line.exchange("SPMR\r\n", reply, 10, true), 10);  // as an exchanger: a refusal
}

TEST_F(BareExchangeTest, ErrorsWarningsAndTransportFailuresGoToTheState) {
    wire.reply("ER12");
    EXPECT_EQ(line.send("LNSR\r\n", reply, 10, true).status(), 10);
    EXPECT_EQ(state.getErrorCode(), 12);
    EXPECT_EQ(ui->messageBoxes().size(), 1u);
    errorVisible = false;
    wire.reply("ER30");
    EXPECT_EQ(line.send("LNSR\r\n", reply, 10, true).status(), 10);
    EXPECT_EQ(ui->messageBoxes().size(), 1u);
    wire.reply("OK16");
    EXPECT_EQ(line.receive(reply, 20).status(), 0);
    EXPECT_EQ(state.getErrorCode(), 216);
    EXPECT_EQ(state.getErrorMessage(), "露光量不足");
    wire.reply("<silent>");
    const ExchangeResult lost = line.send("IDDR\r\n", reply, 10, true);
    EXPECT_EQ(lost.outcome(), Outcome::TransportFailed);
    EXPECT_EQ(lost.status(), -10);
    EXPECT_EQ(state.getErrorCode(), 99);
}

TEST_F(BareExchangeTest, RecoveryBringsTheInstrumentBackAndRereadsItsConditions) {
    for (const char* r : kRecoveredInstrument) {
        wire.reply(r);
    }
    Recovery recovery(line, wire);
    EXPECT_EQ(recovery.run(true, {}), 0);
    EXPECT_EQ(wire.sent(), (std::vector<std::string>{
                               "RMTS,1\r\n", "IDDR\r\n", "VERR\r\n", "_jig,0\r\n", "LNSR\r\n",
                               "STSR\r\n", "NDFR\r\n", "SPMR\r\n", "SCMR\r\n", "UCCR\r\n",
                               "STSR\r\n", "NFCR,2,1,000\r\n", "STSR\r\n", "NFCR,2,2,000\r\n"}));
    EXPECT_EQ(recovery.id.getBodyNo(), "1234567");
    EXPECT_EQ(recovery.status.getLens(), 11);
    EXPECT_EQ(recovery.angle, 2);
}

TEST_F(BareExchangeTest, RecoveryThatMeetsEr00AgainFailsInsteadOfNesting) {
    wire.reply("ER00");  // RMTS,1 itself
    wire.reply("OK00");  // what a nested recovery would take
    Recovery recovery(line, wire);
    EXPECT_EQ(recovery.run(true, {}), 10);
    EXPECT_EQ(wire.sent(), std::vector<std::string>{"RMTS,1\r\n"});
}

TEST_F(BareExchangeTest, RecoveryDuringRemoteMeasurementEnablesTheKeyAgain) {
    for (bool keyWasEnabled : {false, true}) {
        ScriptedConnection fresh;
        HostConnection* link = &fresh;
        LineExchange exchange(link, state, errorVisible);
        for (const char* r : kRecoveredInstrument) {
            fresh.reply(r);
        }
        fresh.reply("OK00");  // MSWE,1
        Recovery recovery(exchange, fresh);
        const int result = recovery.run(true, {true, keyWasEnabled});
        EXPECT_EQ(fresh.sent().back(), "MSWE,1\r\n");
        // A key enabled before the drop lost the measurement it was waiting for.
        EXPECT_EQ(result, keyWasEnabled ? 10 : 0);
        EXPECT_EQ(recovery.state.getErrorCode(), keyWasEnabled ? 20 : 200);
    }
    Recovery notExpectingOk(line, wire);
    for (const char* r : kRecoveredInstrument) {
        wire.reply(r);
    }
    EXPECT_EQ(notExpectingOk.run(false, {true, true}), 0);  // ends after the conditions
    EXPECT_EQ(wire.sent().back(), "NFCR,2,2,000\r\n");
}
