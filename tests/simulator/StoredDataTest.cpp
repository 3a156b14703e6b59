// Stored targets and samples, and the saved memory.
#include "SimulatorFixture.h"
#include "simulator/HexFloat.h"
#include "simulator/StoredDataFill.h"

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

TEST_F(StoredData, SpectralTargetIsStoredWhenAllItsPointsHaveArrived) {
    ASSERT_EQ(ask("TGDS,0,1,05,01,  100.00,    0.31,    0.33"), "OK00");
    ASSERT_EQ(ask("TGDS,0,3,05,Old"), "OK00");
    for (int i = kPoints - 1; i > 0; --i) {  // any order
        ASSERT_EQ(ask("TGDS,1,0,05," + index3(i) + ",3F800000"), "OK00");
    }
    EXPECT_EQ(ask("TGDS,1,0,05,400,40000000"), "OK00");  // a point written again
    EXPECT_EQ(ask("TGDR,05,3"), "OK00,Old");  // 400 points: the old target is still there
    EXPECT_EQ(ask("TGDR,05,2,0,01"), "OK00,100.0000,0.3100,0.3300");
    ASSERT_EQ(ask("TGDS,1,0,05,000,3F800000"), "OK00");
    EXPECT_EQ(ask("TGDR,05,3"), "OK00,");  // a new target: no name until one is written
    EXPECT_EQ(ask("TGDS,0,3,05,Reference A"), "OK00");
    EXPECT_EQ(ask("TGDR,05,3"), "OK00,Reference ");  // ten characters kept
    EXPECT_EQ(ask("TGDR,05,0,0,001"), "OK00,0,0,0,0,0,0,0,00");
    const auto block = fields(ask("TGDR,05,1,1,4"));
    ASSERT_EQ(block.size(), 102u);
    EXPECT_EQ(block[1], "3F800000");
    EXPECT_EQ(block[101], "40000000");
    const auto colour = fields(ask("TGDR,05,2,0,01"));
    ASSERT_EQ(colour.size(), 4u);
    EXPECT_EQ(colour[2], "0.3333");  // equal energy

    // Points of an unfinished write are dropped by a delete of that number.
    ASSERT_EQ(ask("TGDS,1,0,06,000,3F800000"), "OK00");
    EXPECT_EQ(ask("TGDD,06"), "ER20");
    for (int i = 1; i < kPoints; ++i) {
        ASSERT_EQ(ask("TGDS,1,0,06," + index3(i) + ",3F800000"), "OK00");
    }
    EXPECT_EQ(ask("TGDR,06,0,0,001"), "ER20");
    for (const char* bad :
         {"TGDS,1,0,05,401,3F800000", "TGDS,1,0,05,000,3F80000", "TGDS,1,0,05,000,7FC00000",
          "TGDS,1,0,21,000,3F800000", "TGDS,1,0,05,000", "TGDS,1,1,05,000,3F800000"}) {
        EXPECT_EQ(ask(bad), "ER01") << bad;
    }
}

TEST_F(StoredData, ColourTargetHasNoSpectrum) {
    EXPECT_EQ(ask("TGDS,0,1,03,11,  100.00,    0.31,    0.33"), "OK00");
    const auto transcript = instrument.transcript();  // the blanks of "%8.2lf" kept exactly
    EXPECT_EQ(transcript[transcript.size() - 2].bytes,
              "TGDS,0,1,03,11,  100.00,    0.31,    0.33\r\n");
    EXPECT_EQ(transcript.back().bytes, "OK00\r\n");
    EXPECT_EQ(ask("TGDS,0,3,03,Paper"), "OK00");
    EXPECT_EQ(ask("TGDR,03,2,0,01"), "OK00,100.0000,0.3100,0.3300");
    EXPECT_EQ(ask("TGDR,03,2,0,11"), "OK00,100.0000,0.3100,0.3300");  // kept as written
    EXPECT_EQ(ask("TGDR,03,0,0,001"), "ER20");
    EXPECT_EQ(ask("TGDR,03,1,1,1"), "ER20");
    EXPECT_EQ(ask("TGDR,03,3"), "OK00,Paper");
    EXPECT_EQ(ask("TGDS,0,1,04,01,1234567.0, 99999.9,    0.00"), "OK00");  // wider forms
    EXPECT_EQ(ask("TGDR,04,2,0,01"), "OK00,1234567.0000,99999.9000,0.0000");
    EXPECT_EQ(ask("TGDR,03,2,0,02"), "ER01");  // unknown observer code
    for (const char* bad :
         {"TGDS,0,1,03,02,1,2,3", "TGDS,0,1,03,01,nan,0.3,0.3", "TGDS,0,1,03,01,-1.00,0.3,0.3",
          "TGDS,0,1,03,01,1,0.3", "TGDS,0,1,03,01,1,0.3,x"}) {
        EXPECT_EQ(ask(bad), "ER01") << bad;
    }
    EXPECT_EQ(ask("TGDR,03,2,0,01"), "OK00,100.0000,0.3100,0.3300");  // refused: unchanged
    EXPECT_EQ(ask("TGDS,0,3,07,Nothing"), "ER20");                    // no data to name
}

TEST_F(StoredData, FillGivesSeveralSourcesUnderVariedConditions) {
    instrument.fillStoredData(12);
    EXPECT_EQ(ask("STDR,11,0,0,001").substr(0, 5), "OK00,");
    EXPECT_EQ(ask("STDR,12,0,0,001"), "ER21");
    EXPECT_EQ(ask("TGDR,12,3"), "OK00,Lamp 5K 2");
    EXPECT_EQ(ask("TGDR,13,3"), "ER20");
    // Headers: speed, sync, integration µs, internal ND, lens, ND, angle, channel.
    EXPECT_EQ(ask("STDR,00,0,0,001"), "OK00,0,0,588235,0,0,0,0,00");   // lamp A, normal speed
    EXPECT_EQ(ask("STDR,02,0,0,001"), "OK00,2,1,200000,0,0,0,0,00");   // display, 60 Hz sync
    EXPECT_EQ(ask("STDR,06,0,0,001"), "OK00,0,0,208333,0,0,1,0,00");   // bright lamp, ND 1
    EXPECT_EQ(ask("STDR,07,0,0,001"), "OK00,3,0,2000000,0,0,0,1,00");  // LED, 2 s, angle 1
    EXPECT_EQ(ask("STDR,08,0,0,001"), "OK00,4,0,500000,0,1,0,1,00");   // adapter lens
    // Colour values: D65 at 120 cd/m², and again a round later 7 % brighter.
    for (const auto& [line, lv] : {std::pair{"STDR,01,2,0,01", 120.0}, {"STDR,11,2,0,01", 128.4}}) {
        const auto f = fields(ask(line));
        ASSERT_EQ(f.size(), 4u) << line;
        EXPECT_NEAR(std::stod(f[1]), lv, 0.5) << line;
        EXPECT_EQ(f[2], "0.3127");
        EXPECT_EQ(f[3], "0.3290");
    }
    // Targets: names (every seventh without), every third as colour values only, every sixth
    // of them for the 10° observer.
    EXPECT_EQ(ask("TGDR,01,3"), "OK00,LCD B");
    EXPECT_EQ(ask("TGDR,07,3"), "OK00,");
    EXPECT_EQ(ask("TGDR,03,0,0,001"), "ER20");
    EXPECT_EQ(ask("TGDR,03,2,0,01"), "OK00,3.2000,0.1552,0.0195");   // the blue LED
    EXPECT_EQ(ask("TGDR,06,2,0,11"), "OK00,89.6400,0.4512,0.4059");  // lamp A, 10°
    EXPECT_EQ(ask("TGDR,04,0,0,001"), "OK00,4,0,500000,0,1,0,1,00");
    EXPECT_EQ(fields(ask("TGDR,04,1,1,4")).size(), 102u);

    Memory again;
    fillStoredData(again, 12, instrument.identity());
    EXPECT_EQ(again.samples, instrument.memory().samples);  // the same count, the same data
    fillStoredData(again, 0, instrument.identity());
    EXPECT_EQ(again.samples, Memory{}.samples);
    EXPECT_EQ(again.targets, Memory{}.targets);

    // Old firmware: every header is one that firmware can write.
    Memory old;
    fillStoredData(old, 100, Identity{0, "1", "1.00"});
    for (const auto& sample : old.samples) {
        ASSERT_TRUE(sample);
        EXPECT_LE(sample->conditions.speedMode, 3);
        EXPECT_EQ(sample->conditions.internalNd, 0);
    }
    EXPECT_TRUE(old.targets[20]);
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
    instrument.fillStoredData(20);
    ASSERT_EQ(ask("STDD,03"), "OK00");
    ASSERT_EQ(ask("TGDD,12"), "OK00");
    ASSERT_EQ(ask("TGSL,09"), "OK00");
    ASSERT_EQ(ask("UCCS,04"), "OK00");
    ASSERT_EQ(ask("ALFS,2,100,3DCCCCCD"), "OK00");  // 0.1: not exact in decimal
    ASSERT_EQ(ask("ALFS,3"), "OK00");
    ASSERT_EQ(ask("NFCS,1,2,000,42C80000"), "OK00");
    ASSERT_EQ(ask("NFCS,3"), "OK00");
    ASSERT_EQ(ask("OBSS,1"), "OK00");
    ASSERT_EQ(ask("SPMS,3,000500000,1"), "OK00");
    ASSERT_EQ(ask("UCPS,1,04,010,40000000"), "OK00");
    ASSERT_EQ(ask("UCPS,2,04,ID"), "OK00");
    ASSERT_EQ(ask("UCPS,3"), "OK00");
    ASSERT_EQ(ask("TGDS,0,1,02,01,1,2,3"), "OK00");
    ASSERT_EQ(ask("TGDS,0,3,02,Two"), "OK00");
    instrument.setMeasuringAngle(1);
    const ScratchFolder folder;
    const std::string path = folder.file("state.json");
    ASSERT_TRUE(instrument.saveState(path));

    Instrument restarted;
    std::string error;
    ASSERT_TRUE(restarted.loadState(path, &error)) << error;
    EXPECT_EQ(restarted.memory(), instrument.memory());
    EXPECT_EQ(restarted.exchange("RMTS,1"), "OK00\r\n");
    EXPECT_EQ(restarted.exchange("UCPR,1,04,010"), "OK00,40000000\r\n");
    EXPECT_EQ(restarted.exchange("TGDR,02,3"), "OK00,Two\r\n");
    EXPECT_EQ(restarted.exchange("STSR"), "OK00,1\r\n");
    EXPECT_EQ(restarted.exchange("ALFR,2,100"), "OK00,3DCCCCCD\r\n");
    EXPECT_EQ(restarted.exchange("TGSR"), "OK00,09\r\n");
    EXPECT_EQ(restarted.exchange("STDR,03,0,0,001"), "ER21\r\n");
    EXPECT_EQ(restarted.exchange("TGDR,06,2,0,11"), instrument.exchange("TGDR,06,2,0,11"));
    EXPECT_FALSE(memoryFromJson("{\"conditions\": 5}", &error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace rx9100sim::test
