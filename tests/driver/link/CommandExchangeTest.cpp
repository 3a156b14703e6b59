#include <gtest/gtest.h>

#include "link/ReplyFields.h"
#include "platform/ScriptedUiServices.h"
#include "resources/StringTable.h"
#include "sensor/TavoRX9100.h"
#include "support/ScriptedConnection.h"

namespace {

class ExchangeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::setUiServices(ui);
        auto link = std::make_unique<ScriptedConnection>();
        wire = link.get();
        driver.setConnection(std::move(link));
        driver.setErrorVisible(true);
    }
    void TearDown() override { platform::setUiServices(nullptr); }

    int exchange(const std::string& reply, bool expectOk) {
        wire->reply(reply);
        return driver.doCommunication("CMD\r\n", answer, 10, expectOk);
    }
    InstrumentState& state() { return *driver.getInstrumentState(); }

    std::shared_ptr<platform::ScriptedUiServices> ui =
        std::make_shared<platform::ScriptedUiServices>();
    TavoRX9100 driver;
    ScriptedConnection* wire = nullptr;
    std::string answer;
};

}  // namespace

TEST_F(ExchangeTest, OkRepliesCarryWarnings) {
    EXPECT_EQ(exchange("OK16", true), 0);
    EXPECT_EQ(state().getErrorCode(), 216);
    EXPECT_EQ(state().getErrorMessage(), "露光量不足");
    EXPECT_EQ(exchange("OK00,1.23", true), 0);
    EXPECT_EQ(answer, "OK00,1.23");
    EXPECT_EQ(state().getErrorCode(), 200);
    EXPECT_EQ(state().getErrorMessage(), "エラーなし");
    EXPECT_EQ(wire->sent().back(), "CMD\r\n");
    EXPECT_TRUE(ui->messageBoxes().empty());
}

TEST_F(ExchangeTest, ErrorRepliesAreShownOnlyForShownCodes) {
    EXPECT_EQ(exchange("ER12", true), 10);
    EXPECT_EQ(state().getErrorCode(), 12);
    EXPECT_EQ(state().getErrorMessage(), "ER12 : レンズエラー");
    ASSERT_EQ(ui->messageBoxes().size(), 1u);
    EXPECT_EQ(ui->messageBoxes()[0].text, "ER12 : レンズエラー");

    EXPECT_EQ(exchange("ER05", true), 10);
    EXPECT_EQ(state().getErrorCode(), 5);
    EXPECT_EQ(state().getErrorMessage(), "ER05 : データが存在しません\r\n");
    EXPECT_EQ(ui->messageBoxes().size(), 1u);

    driver.setErrorVisible(false);
    EXPECT_EQ(exchange("ER30", true), 10);
    EXPECT_EQ(ui->messageBoxes().size(), 1u);
}

TEST_F(ExchangeTest, ForeignRepliesPassOnlyWithoutExpectOk) {
    EXPECT_EQ(exchange("XY", false), 0);
    EXPECT_EQ(state().getErrorCode(), 200);
    EXPECT_EQ(exchange("ER21", false), 10);
    EXPECT_EQ(state().getErrorCode(), 21);
}

TEST_F(ExchangeTest, Er00RecoversRemoteModeRereadsTheConditionsAndAsksAgain) {
    for (const char* r : {"ER00", "OK00", "OK00,0,1,1234567", "OK00,1.10", "OK00", "OK00,0",
                          "OK00,1", "OK00,0", "OK00,0,1", "OK00,1,06000", "OK00,00", "OK00,0",
                          "ER05", "OK00,0", "ER05", "OK00,3,000500000,1"}) {
        wire->reply(r);
    }
    EXPECT_EQ(driver.doCommunication("SPMR\r\n", answer, 10, true), 0);
    // The conditions end with the active channel (0 here, without ND factor tables).
    std::vector<std::string> expected = {
        "SPMR\r\n",         "RMTS,1\r\n", "IDDR\r\n",         "VERR\r\n", "_jig,0\r\n", "LNSR\r\n",
        "STSR\r\n",         "NDFR\r\n",   "SPMR\r\n",         "SCMR\r\n", "UCCR\r\n",   "STSR\r\n",
        "NFCR,0,1,000\r\n", "STSR\r\n",   "NFCR,0,2,000\r\n", "SPMR\r\n"};
    EXPECT_EQ(wire->sent(), expected);
    EXPECT_EQ(driver.getSetupStatus()->getSync(), 3);
    EXPECT_EQ(answer, "OK00,3,000500000,1");  // the reply of the repeated command

    for (const char* r : {"ER00", "OK00", "OK00,0,1,1234567", "OK00,1.10", "OK00", "ER30"}) {
        wire->reply(r);  // the recovery fails: nothing is repeated
    }
    EXPECT_EQ(driver.doCommunication("SPMR\r\n", answer, 10, true), 10);
    EXPECT_EQ(state().getErrorCode(), 30);
    EXPECT_EQ(wire->sent().back(), "LNSR\r\n");
}

TEST_F(ExchangeTest, XyWithExpectOkIsTreatedAsLeftRemoteMode) {
    wire->reply("XY");
    wire->reply("ER01");  // the recovery's own RMTS,1 fails
    EXPECT_EQ(driver.doCommunication("CMD\r\n", answer, 10, true), 10);
    EXPECT_EQ(wire->sent().back(), "RMTS,1\r\n");
}

TEST_F(ExchangeTest, RecoveryDoesNotNestWhenRmtsItselfAnswersEr00) {
    wire->reply("ER00");
    wire->reply("ER00");
    wire->reply("OK00");  // would be taken by a nested recovery
    EXPECT_EQ(driver.doCommunication("CMD\r\n", answer, 10, true), 10);
    EXPECT_EQ(wire->sent().size(), 2u);
}

TEST_F(ExchangeTest, TransportFailureBecomesMinus10AndCode99) {
    wire->reply("<silent>");
    EXPECT_EQ(driver.doCommunication("IDDR\r\n", answer, 10, true), -10);
    EXPECT_EQ(state().getErrorCode(), 99);
    EXPECT_EQ(state().getErrorMessage(), resources::loadString(20099));
}

TEST_F(ExchangeTest, CancelledReceiveIsNotALostInstrument) {
    wire->cancel();
    EXPECT_EQ(driver.doCommunication_Recv(answer, 20), -10);
    EXPECT_NE(state().getErrorCode(), 99);  // disconnect still talks to it
    EXPECT_TRUE(ui->messageBoxes().empty());
    wire->reply("OK00,1.10");
    EXPECT_EQ(driver.doCommunication("VERR\r\n", answer, 10, true), 0);
    EXPECT_EQ(answer, "OK00,1.10");
}

TEST_F(ExchangeTest, ReceiveOnlyClassifiesWithoutRecovery) {
    wire->reply("OK16");
    EXPECT_EQ(driver.doCommunication_Recv(answer, 20), 0);
    EXPECT_EQ(state().getErrorCode(), 216);
    wire->reply("ER00");
    EXPECT_EQ(driver.doCommunication_Recv(answer, 20), 10);
    EXPECT_EQ(state().getErrorCode(), 0);
    EXPECT_TRUE(wire->sent().empty());
}

TEST(HexConversionTest, SinglePrecisionPatterns) {
    TavoRX9100 driver;
    std::string text;
    double one = 1.0, half = 0.5;
    driver.getDoubleToHex(one, text);
    EXPECT_EQ(text, "3F800000");
    driver.getDoubleToHex(half, text);
    EXPECT_EQ(text, "3F000000");
    double small = 0.1;
    driver.getDoubleToHex(small, text);
    EXPECT_EQ(text, "3DCCCCCD");  // rounded to nearest
    float zero = 0.0f;
    driver.getFloatToHex(zero, text);
    EXPECT_EQ(text, "0");
    double value = -1;
    driver.getHexToDouble("3F800000", value);
    EXPECT_DOUBLE_EQ(value, 1.0);
    driver.getHexToDouble("zz", value);
    EXPECT_DOUBLE_EQ(value, 0.0);
    float f = 0;
    driver.getHexToFloat("3DCCCCCD", f);
    EXPECT_FLOAT_EQ(f, 0.1f);
}

TEST(FormatStringTest, WidthRulesByMagnitude) {
    TavoRX9100 driver;
    EXPECT_EQ(driver.getFormatString(99999999.9), "%10.1lf");
    EXPECT_EQ(driver.getFormatString(1e8), "%10.0lf");
    EXPECT_EQ(driver.getFormatString(-5), "%10.2lf");
    EXPECT_EQ(driver.getFormatString(9999999.99), "%10.2lf");
}

TEST(ReplyFieldsTest, SplitsAtCommasAndKeepsEmptyTrailingFields) {
    ReplyFields trailing("a,b,");
    EXPECT_EQ(trailing.count(), 3);
    EXPECT_EQ(trailing.field(3), "");
    EXPECT_EQ(trailing.field(5), "");
    ReplyFields reply("OK00,1,2\n");
    EXPECT_EQ(reply.count(), 3);
    EXPECT_EQ(reply.field(1), "OK00");
    EXPECT_EQ(reply.field(3), "2");
    EXPECT_EQ(reply.field(2, true), "1,2");
    ReplyFields single("OK16");
    EXPECT_EQ(single.count(), 1);
    EXPECT_EQ(single.field(1), "OK16");
}
