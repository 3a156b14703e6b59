// Calibration channels and the adapter-lens and ND factor tables: what the instrument keeps,
// when a write takes effect, and that it never applies a channel's tables itself.
#include "SimulatorFixture.h"

namespace rx9100sim::test {
namespace {

class CalibrationMemory : public SimulatorTest {
  protected:
    void SetUp() override {
        SimulatorTest::SetUp();
        enterRemote();
    }
};

TEST_F(CalibrationMemory, ChannelWritesWaitForTheStoreCommand) {
    EXPECT_EQ(ask("UCPR,0,01,000"), "ER20");
    EXPECT_EQ(ask("UCPR,2,01"), "OK00,");              // a channel never written has an empty ID
    EXPECT_EQ(ask("UCPS,0,01,000,43BE4000"), "OK00");  // 380.5 nm
    EXPECT_EQ(ask("UCPS,1,01,400,3FC00000"), "OK00");  // 1.5
    EXPECT_EQ(ask("UCPS,2,01,     Lamp1"), "OK00");    // "%10s" keeps its leading blanks
    EXPECT_EQ(ask("UCPR,0,01,000"), "ER20");
    EXPECT_EQ(ask("UCPR,2,01"), "OK00,");
    EXPECT_EQ(ask("UCPS,3"), "OK00");
    EXPECT_EQ(ask("UCPR,0,01,000"), "OK00,43BE4000");
    EXPECT_EQ(ask("UCPR,0,01,001"), "OK00,43BE8000");  // untouched entries are the identity
    EXPECT_EQ(ask("UCPR,1,01,400"), "OK00,3FC00000");
    EXPECT_EQ(ask("UCPR,1,01,000"), "OK00,3F800000");
    EXPECT_EQ(ask("UCPR,2,01"), "OK00,     Lamp1");

    // A channel written with only a level table has no wavelength table.
    EXPECT_EQ(ask("UCPS,1,05,010,40000000"), "OK00");
    EXPECT_EQ(ask("UCPS,2,05,A,B"), "OK00");
    EXPECT_EQ(ask("UCPS,3"), "OK00");
    EXPECT_EQ(ask("UCPR,1,05,010"), "OK00,40000000");
    EXPECT_EQ(ask("UCPR,0,05,000"), "ER20");
    EXPECT_EQ(ask("UCPR,2,05"), "OK00,A,B");

    // Clearing drops the stored tables, the ID and any write still waiting for its store.
    EXPECT_EQ(ask("UCPS,1,01,000,40000000"), "OK00");
    EXPECT_EQ(ask("UCCD,01"), "OK00");
    EXPECT_EQ(ask("UCPS,3"), "OK00");
    EXPECT_EQ(ask("UCPR,0,01,000"), "ER20");
    EXPECT_EQ(ask("UCPR,1,01,000"), "ER20");
    EXPECT_EQ(ask("UCPR,2,01"), "OK00,");

    // Channel 0 is the instrument's own uncorrected state: nothing to write or clear.
    for (const char* line :
         {"UCCD,00", "UCPS,0,00,000,43BE0000", "UCPS,2,00,X", "UCPS,0,11,000,43BE0000",
          "UCPR,0,01,401", "UCPR,3,01,000", "UCPS,3,1"}) {
        EXPECT_EQ(ask(line), "ER01") << line;
    }
    EXPECT_EQ(ask("UCPR,0,00,000"), "ER20");
}

TEST_F(CalibrationMemory, TableEntriesMustBeEightHexDigitsOfAFiniteValue) {
    for (const std::string prefix : {"UCPS,1,01,000,", "ALFS,0,000,", "NFCS,0,1,000,"}) {
        for (const char* bad :
             {"3F80000", "03F800000", "7FC00000", "7F800000", "FF800000", "3F80000G", ""}) {
            EXPECT_EQ(ask(prefix + bad), "ER01") << prefix << bad;
        }
        EXPECT_EQ(ask(prefix + "3f800000"), "OK00") << prefix;
    }
}

TEST_F(CalibrationMemory, FactorTablesArePerAngleAndFilterAndMissingOnesAnswerNoData) {
    EXPECT_EQ(ask("ALFR,1,000"), "ER05");
    EXPECT_EQ(ask("ALFS,1,000,3F000000"), "OK00");
    EXPECT_EQ(ask("ALFR,1,000"), "ER05");
    EXPECT_EQ(ask("ALFS,3"), "OK00");
    EXPECT_EQ(ask("ALFR,1,000"), "OK00,3F000000");
    EXPECT_EQ(ask("ALFR,1,400"), "OK00,3F800000");  // entries not written are 1.0
    EXPECT_EQ(ask("ALFR,0,000"), "ER05");
    EXPECT_EQ(ask("ALFR,2,000"), "ER05");

    EXPECT_EQ(ask("NFCR,2,2,017"), "ER05");
    EXPECT_EQ(ask("NFCS,2,2,017,42C80000"), "OK00");
    EXPECT_EQ(ask("NFCS,3"), "OK00");
    EXPECT_EQ(ask("NFCR,2,2,017"), "OK00,42C80000");
    EXPECT_EQ(ask("NFCR,2,2,016"), "OK00,42C80000");  // entries not written: the filter's 100
    EXPECT_EQ(ask("NFCR,2,1,017"), "ER05");
    EXPECT_EQ(ask("NFCR,1,2,017"), "ER05");
    EXPECT_EQ(ask("NFCS,2,3,017,42C80000"), "ER01");
    EXPECT_EQ(ask("NFCR,3,1,000"), "ER01");
}

TEST_F(CalibrationMemory, ChannelTablesAreKeptButNeverAppliedToReadings) {
    const Spectrum plain = measureSpectrum();
    writeEntries("UCPS,1,02", filled(2.0f));
    Table wavelength = identityWavelengthTable();
    for (float& w : wavelength) {
        w += 0.5f;
    }
    writeEntries("UCPS,0,02", wavelength);
    ASSERT_EQ(ask("UCPS,2,02,     Lamp1"), "OK00");
    ASSERT_EQ(ask("UCPS,3"), "OK00");
    ASSERT_EQ(ask("UCCS,02"), "OK00");
    ASSERT_EQ(ask("UCCR"), "OK00,02");
    EXPECT_EQ(measureSpectrum(), plain);
    EXPECT_EQ(fields(ask("MEDR,0,0,001"))[8], "02");  // the header names the channel
    EXPECT_EQ(ask("UCPR,0,02,100"), "OK00," + toHex(480.5f));
}

}  // namespace
}  // namespace rx9100sim::test
