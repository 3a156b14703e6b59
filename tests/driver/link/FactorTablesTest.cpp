// The adapter-lens and ND factor tables against the simulated instrument: the exact lines,
// the angle and filter each operation works on, writes held until their commit line.
#include <gtest/gtest.h>

#include <array>

#include "link/FactorTableProtocol.h"
#include "support/SimulatedDriver.h"

namespace {

using Table = std::array<double, 401>;

class FactorTablesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sim.driver.setErrorVisible(false);
        ASSERT_EQ(sim.driver.connect(), 0);
        rx9100sim::Memory m = sim.instrument.memory();
        m.measuringAngle = 2;
        sim.instrument.setMemory(m);
        sim.takeSent();
    }
    void fault(const std::string& description) {
        sim.instrument.injectFault(*rx9100sim::Fault::parse(description));
    }
    int errorCode() { return sim.driver.getInstrumentState()->getErrorCode(); }
    void expectCursorRemoved() {
        EXPECT_EQ(sim.ui->waitCursorDepth(), 0);
        EXPECT_GT(sim.ui->waitCursorShown(), 0);
    }
    static Table ramp() {
        Table t{};
        for (std::size_t i = 0; i < t.size(); ++i) {
            t[i] = 0.5 + 0.001 * static_cast<double>(i);
        }
        return t;
    }

    SimulatedDriver sim;
};

}  // namespace

TEST(FactorProtocolTest, LinesAndFactorsByteForByte) {
    EXPECT_EQ(protocol::lensWriteCommand(2, 0, 1.0), "ALFS,2,000,3F800000\r\n");
    EXPECT_EQ(protocol::ndWriteCommand(0, 2, 400, 0.5), "NFCS,0,2,400,3F000000\r\n");
    EXPECT_EQ(protocol::lensReadCommand(1, 7), "ALFR,1,007\r\n");
    EXPECT_EQ(protocol::ndReadCommand(1, 2, 17), "NFCR,1,2,017\r\n");
    EXPECT_EQ(protocol::parseFactor("OK00,3F800000"), 1.0);
    EXPECT_EQ(protocol::parseFactor("OK00,3f000000"), 0.5);
    // A value that is not eight hexadecimal digits is no factor, never 0.0.
    for (const char* bad : {"OK00", "OK00,", "OK00,3F80000", "OK00,3F8000000", "OK00,3F80ZZ00"}) {
        EXPECT_FALSE(protocol::parseFactor(bad)) << bad;
    }
}

TEST_F(FactorTablesTest, LensTableWrittenAtAnAngleReadsBackAtTheInstrumentsAngle) {
    Table written = ramp();
    written[0] = 1.0;
    written[1] = 0.5;
    ASSERT_EQ(sim.driver.setAdapterLens(written.data(), 2), 0);
    auto sent = sim.takeSent();
    ASSERT_EQ(sent.size(), 402u);  // no STSR: the angle was given
    EXPECT_EQ(sent[0], "ALFS,2,000,3F800000");
    EXPECT_EQ(sent[1], "ALFS,2,001,3F000000");
    EXPECT_EQ(sent[400].substr(0, 11), "ALFS,2,400,");
    EXPECT_EQ(sent[401], "ALFS,3");

    Table read{};
    ASSERT_EQ(sim.driver.getAdapterLens(read.data()), 0);
    sent = sim.takeSent();
    ASSERT_EQ(sent.size(), 402u);
    EXPECT_EQ(sent[0], "STSR");
    EXPECT_EQ(sent[1], "ALFR,2,000");
    EXPECT_EQ(sent[401], "ALFR,2,400");
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(read[i], static_cast<double>(static_cast<float>(written[i]))) << i;
    }
    expectCursorRemoved();
}

TEST_F(FactorTablesTest, WriteFailingAtEntry17SendsNoCommitAndKeepsTheTable) {
    Table t = ramp();
    fault("ALFS,2,017:error:30");
    EXPECT_EQ(sim.driver.setAdapterLens(t.data()), 10);
    const auto sent = sim.takeSent();
    ASSERT_EQ(sent.size(), 19u);  // STSR, entries 0 to 17
    EXPECT_EQ(sent.back().substr(0, 10), "ALFS,2,017");
    EXPECT_FALSE(sim.instrument.memory().lensTables[2]);  // the entries never took effect

    fault("NFCS,2,1,017:error:30");
    EXPECT_EQ(sim.driver.setAdapterNd(t.data(), 1, 2), 10);
    EXPECT_EQ(sim.takeSent().size(), 18u);
    EXPECT_FALSE(sim.instrument.memory().ndTables[2][0]);
    expectCursorRemoved();
}

TEST_F(FactorTablesTest, FilterComesFromTheNdCode) {
    SetupStatus& status = *sim.driver.getSetupStatus();
    Table t = ramp();
    status.setNd(0);
    EXPECT_EQ(sim.driver.getAdapterNd(t.data()), -10);
    EXPECT_EQ(sim.driver.checkAdapterNd(), -10);
    EXPECT_TRUE(sim.takeSent().empty());
    EXPECT_EQ(sim.ui->waitCursorDepth(), 0);

    ASSERT_EQ(sim.driver.setAdapterNd(t.data()), 0);  // no filter in: the table goes to 1
    auto sent = sim.takeSent();
    EXPECT_EQ(sent[1].substr(0, 13), "NFCS,2,1,000,");
    EXPECT_EQ(sent.back(), "NFCS,3");

    status.setNd(16);
    ASSERT_EQ(sim.driver.setAdapterNd(t.data()), 0);
    EXPECT_EQ(sim.takeSent()[1].substr(0, 13), "NFCS,2,2,000,");
    ASSERT_EQ(sim.driver.checkAdapterNd(), 0);
    EXPECT_EQ(sim.takeSent(), (std::vector<std::string>{"STSR", "NFCR,2,2,000"}));
    status.setNd(15);
    Table read{};
    ASSERT_EQ(sim.driver.getAdapterNd(read.data()), 0);
    EXPECT_EQ(sim.takeSent()[401], "NFCR,2,1,400");
    EXPECT_EQ(read[400], static_cast<double>(static_cast<float>(t[400])));
}

TEST_F(FactorTablesTest, ProbeOfAMissingTableLeavesNoErrorButFails) {
    EXPECT_EQ(sim.driver.checkAdapterLens(), 10);  // the instrument answers ER05
    EXPECT_EQ(errorCode(), 200);
    EXPECT_EQ(sim.driver.getInstrumentState()->getErrorMessage(), "エラーなし");
    fault("NFCR:error:20");
    EXPECT_EQ(sim.driver.checkAdapterNd(1), 10);
    EXPECT_EQ(errorCode(), 200);
    fault("ALFR:error:30");
    EXPECT_EQ(sim.driver.checkAdapterLens(), 10);
    EXPECT_EQ(errorCode(), 30);
    // A failed angle read is the probe's failure as it stands.
    fault("STSR:error:20");
    EXPECT_EQ(sim.driver.checkAdapterLens(), 10);
    EXPECT_EQ(errorCode(), 20);
    expectCursorRemoved();
}

TEST_F(FactorTablesTest, MalformedEntryStopsTheReadWithError43) {
    Table t = ramp();
    ASSERT_EQ(sim.driver.setAdapterLens(t.data()), 0);
    Table read{};
    read.fill(-1.0);
    fault("ALFR,2,005:reply:OK00,3F80");
    EXPECT_EQ(sim.driver.getAdapterLens(read.data()), 10);
    EXPECT_EQ(errorCode(), 43);
    EXPECT_EQ(read[4], static_cast<double>(static_cast<float>(t[4])));  // read before it
    EXPECT_EQ(read[5], -1.0);                                           // untouched from it on
    fault("STSR:reply:OK00,7");
    EXPECT_EQ(sim.driver.checkAdapterLens(), 10);  // no such angle: nothing more is sent
    EXPECT_EQ(sim.takeSent().back(), "STSR");
}
