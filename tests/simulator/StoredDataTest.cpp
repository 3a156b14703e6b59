// Stored targets and samples, and the saved memory.
#include "SimulatorFixture.h"
#include "simulator/HexFloat.h"

namespace rx9100sim::test {
namespace {

class StoredData : public SimulatorTest {
  protected:
    void SetUp() override {
        SimulatorTest::SetUp();
        enterRemote();
    }
};

TEST_F(StoredData, EmptyNumbersAnswerNoData) {
    for (const char* line :
         {"TGDR,05,0,0,001", "TGDR,05,1,1,1", "TGDR,05,2,0,01", "TGDR,05,3", "TGDD,05"}) {
        EXPECT_EQ(ask(line), "ER20") << line;
    }
    for (const char* line : {"STDR,00,0,0,001", "STDR,99,1,1,4", "STDR,42,2,0,11", "STDD,42"}) {
        EXPECT_EQ(ask(line), "ER21") << line;
    }
    for (const char* line : {"TGDR,00,0,0,001", "TGDR,21,3", "STDR,100,0,0,001"}) {
        EXPECT_EQ(ask(line), "ER01") << line;
    }
}

TEST_F(StoredData, SpectralTargetWrittenPointByPointIsReadBack) {
    for (int i = 0; i < kPoints; ++i) {
        ASSERT_EQ(ask("TGDS,1,0,05," + index3(i) + ",3F800000"), "OK00");
    }
    EXPECT_EQ(ask("TGDS,0,3,05,Ref A"), "OK00");
    EXPECT_EQ(ask("TGDR,05,0,0,001"), "OK00,0,0,0,0,0,0,0,00");
    const auto block = fields(ask("TGDR,05,1,1,4"));
    ASSERT_EQ(block.size(), 102u);
    EXPECT_EQ(block[1], "3F800000");
    EXPECT_EQ(block[101], "3F800000");
    EXPECT_EQ(ask("TGDR,05,3"), "OK00,Ref A");
    const auto colour = fields(ask("TGDR,05,2,0,01"));
    ASSERT_EQ(colour.size(), 4u);
    EXPECT_EQ(colour[2], "0.3333");  // equal energy
}

TEST_F(StoredData, ColourTargetHasNoSpectrum) {
    EXPECT_EQ(ask("TGDS,0,1,03,11,  100.00,    0.31,    0.33"), "OK00");
    EXPECT_EQ(ask("TGDS,0,3,03,Paper"), "OK00");
    EXPECT_EQ(ask("TGDR,03,2,0,01"), "OK00,100.0000,0.3100,0.3300");
    EXPECT_EQ(ask("TGDR,03,0,0,001"), "ER20");
    EXPECT_EQ(ask("TGDR,03,1,1,1"), "ER20");
    EXPECT_EQ(ask("TGDR,03,3"), "OK00,Paper");
    EXPECT_EQ(ask("TGDR,03,2,0,02"), "ER01");  // unknown observer code
    EXPECT_EQ(ask("TGDS,0,1,03,02,1,2,3"), "ER01");
    EXPECT_EQ(ask("TGDS,0,3,04,Nothing"), "ER20");  // no data to name
}

TEST_F(StoredData, SamplesAndTargetsAreDeletedSinglyOrAll) {
    ASSERT_EQ(measure(), "OK00");
    ASSERT_TRUE(instrument.storeSample(7));
    ASSERT_TRUE(instrument.storeTarget(12, "Lamp"));
    EXPECT_EQ(ask("STDR,07,0,0,001"), "OK00,0,0,500000,0,0,0,0,00");
    EXPECT_EQ(fields(ask("STDR,07,1,1,2")).size(), 101u);
    EXPECT_EQ(ask("TGDR,12,3"), "OK00,Lamp");
    EXPECT_EQ(ask("STDD,07"), "OK00");
    EXPECT_EQ(ask("STDD,07"), "ER21");
    EXPECT_EQ(ask("TGDD,12"), "OK00");
    EXPECT_EQ(ask("TGDD,12"), "ER20");
    ASSERT_TRUE(instrument.storeSample(1));
    ASSERT_TRUE(instrument.storeTarget(1, ""));
    EXPECT_EQ(ask("STAD"), "OK00");
    EXPECT_EQ(ask("TGAD"), "OK00");
    EXPECT_EQ(ask("STDR,01,0,0,001"), "ER21");
    EXPECT_EQ(ask("TGDR,01,0,0,001"), "ER20");
}

TEST_F(StoredData, MemorySurvivesARestartThroughTheStateFile) {
    ASSERT_EQ(ask("SPMS,3,000500000,1"), "OK00");
    ASSERT_EQ(ask("UCPS,1,04,010,40000000"), "OK00");
    ASSERT_EQ(ask("UCPS,2,04,ID"), "OK00");
    ASSERT_EQ(ask("UCPS,3"), "OK00");
    ASSERT_EQ(ask("TGDS,0,1,02,01,1,2,3"), "OK00");
    ASSERT_EQ(ask("TGDS,0,3,02,Two"), "OK00");
    instrument.setMeasuringAngle(1);
    const std::string path = ::testing::TempDir() + "rx9100sim_state.json";
    ASSERT_TRUE(instrument.saveState(path));

    Instrument restarted;
    std::string error;
    ASSERT_TRUE(restarted.loadState(path, &error)) << error;
    EXPECT_EQ(restarted.memory(), instrument.memory());
    EXPECT_EQ(restarted.exchange("RMTS,1"), "OK00\r\n");
    EXPECT_EQ(restarted.exchange("UCPR,1,04,010"), "OK00,40000000\r\n");
    EXPECT_EQ(restarted.exchange("TGDR,02,3"), "OK00,Two\r\n");
    EXPECT_EQ(restarted.exchange("STSR"), "OK00,1\r\n");
    EXPECT_FALSE(memoryFromJson("{\"conditions\": 5}", &error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace rx9100sim::test
