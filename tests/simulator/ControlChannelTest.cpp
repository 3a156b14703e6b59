// The simulator's command channel for people.
#include <gtest/gtest.h>

#include "simulator/ControlChannel.h"

namespace rx9100sim::test {
namespace {

TEST(ControlChannel, CommandsChangeTheInstrumentAndBadOnesAreExplained) {
    Instrument instrument;
    EXPECT_EQ(runControlCommand(instrument, "source planck:3000 250").text,
              "source planck:3000 at 250.0000 cd/m2");
    EXPECT_EQ(instrument.scene().source.kind, LightSource::Kind::Planck);
    EXPECT_EQ(instrument.scene().luminance, 250.0);
    runControlCommand(instrument, "luminance 0.05");
    EXPECT_EQ(instrument.scene().luminance, 0.05);
    runControlCommand(instrument, "angle 2");
    EXPECT_EQ(instrument.measuringAngle(), 2);
    EXPECT_EQ(runControlCommand(instrument, "fault VERR:silent").text, "armed VERR#1:silent");
    EXPECT_EQ(instrument.armedFaults(), 1u);
    runControlCommand(instrument, "fault clear");
    EXPECT_EQ(instrument.armedFaults(), 0u);
    EXPECT_EQ(runControlCommand(instrument, "key").text, "key ignored (not enabled or busy)");
    EXPECT_EQ(runControlCommand(instrument, "sample 3").text,
              "nothing stored (no measurement yet, or bad number)");
    EXPECT_NE(runControlCommand(instrument, "status").text.find("angle 2"), std::string::npos);
    EXPECT_EQ(runControlCommand(instrument, "stored 30").text, "stored 30 samples and 20 targets");
    EXPECT_TRUE(instrument.memory().samples[29]);
    EXPECT_FALSE(instrument.memory().samples[30]);
    EXPECT_EQ(runControlCommand(instrument, "stored 101").text,
              "the number of stored samples is a whole number from 0 to 100 (not \"101\")");
    for (const char* bad : {"angle 3", "source sun", "fault VERR", "luminance x", "frobnicate"}) {
        EXPECT_FALSE(runControlCommand(instrument, bad).text.empty()) << bad;
        EXPECT_FALSE(runControlCommand(instrument, bad).quit);
    }
    EXPECT_EQ(runControlCommand(instrument, "angle 3").text, "usage: angle 0|1|2");
    EXPECT_TRUE(runControlCommand(instrument, "quit").quit);
    EXPECT_TRUE(runControlCommand(instrument, "").text.empty());
}

}  // namespace
}  // namespace rx9100sim::test
