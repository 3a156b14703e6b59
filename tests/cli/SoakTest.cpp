// The soak: what it judges (spectra against the instrument's, memory and descriptors, the
// faults it arms) and the command end to end on a clean simulated instrument.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "CliTest.h"
#include "SoakChecks.h"
#include "SoakFaults.h"
#include "simulator/Fault.h"

namespace clitest {
namespace {

using namespace cli::soak;

std::array<float, kSpectralPoints> sentSpectrum() {
    std::array<float, kSpectralPoints> sent{};
    for (std::size_t i = 0; i < sent.size(); ++i) {
        sent[i] = 0.001f * static_cast<float>(i + 1) / 3.0f;  // no value exact in decimal
    }
    return sent;
}

TEST(SoakChecksTest, ASpectrumMustHoldExactlyTheValuesTheInstrumentSent) {
    const auto sent = sentSpectrum();
    std::vector<double> record(sent.begin(), sent.end());
    EXPECT_FALSE(differenceFromInstrument(record, sent));

    auto zeroed = record;
    zeroed[150] = 0.0;  // a malformed value read as zero
    const auto zero = differenceFromInstrument(zeroed, sent);
    ASSERT_TRUE(zero);
    EXPECT_NE(zero->find("value 150 (530 nm) is 0"), std::string::npos) << *zero;

    auto rounded = record;
    rounded[400] = static_cast<double>(static_cast<float>(rounded[400]) * (1.0f + 1e-7f));
    EXPECT_TRUE(differenceFromInstrument(rounded, sent)) << "one unit in the last place";

    record.pop_back();
    const auto short_ = differenceFromInstrument(record, sent);
    ASSERT_TRUE(short_);
    EXPECT_EQ(*short_, "400 values instead of 401");

    auto withNan = sent;
    withNan[7] = std::numeric_limits<float>::quiet_NaN();
    std::vector<double> nanRecord(withNan.begin(), withNan.end());
    EXPECT_FALSE(differenceFromInstrument(nanRecord, withNan)) << "NaN sent, NaN kept";
}

TEST(SoakChecksTest, LeaksAreGrowthBeyondTheToleranceOrAnyDescriptorMore) {
    EXPECT_TRUE(judgeLeaks({20000, 9}, {24096, 9}, 4096).empty()) << "at the tolerance";
    const auto memory = judgeLeaks({20000, 9}, {24097, 9}, 4096);
    ASSERT_EQ(memory.size(), 1u);
    EXPECT_NE(memory[0].find("from 20000 KiB to 24097 KiB"), std::string::npos) << memory[0];
    EXPECT_TRUE(judgeLeaks({20000, 9}, {10000, 8}, 0).empty()) << "shrinking is no leak";
    const auto descriptors = judgeLeaks({20000, 9}, {20000, 10}, 4096);
    ASSERT_EQ(descriptors.size(), 1u);
    EXPECT_NE(descriptors[0].find("from 9 to 10"), std::string::npos);

    const Usage now = currentUsage();
    EXPECT_GT(now.rssKiB, 0);
    EXPECT_GE(now.descriptors, 3) << "stdin, stdout and stderr at least";
}

TEST(SoakChecksTest, AnInstrumentThatLastSaidER00ToLeavingRemoteModeSaidItIsLocal) {
    using rx9100sim::TranscriptEntry;
    auto line = [](TranscriptEntry::Direction direction, const char* bytes) {
        return TranscriptEntry{{}, direction, bytes};
    };
    const auto in = TranscriptEntry::Direction::Received;
    const auto out = TranscriptEntry::Direction::Sent;
    EXPECT_TRUE(saidLocalLast({line(in, "RMTS,1\r\n"), line(out, "OK00\r\n"),
                               line(in, "RMTS,0\r\n"), line(out, "ER00\r\n")}));
    EXPECT_FALSE(saidLocalLast({line(in, "RMTS,0\r\n"), line(out, "ER10\r\n")}));
    EXPECT_FALSE(saidLocalLast({line(in, "MEAS,1\r\n"), line(out, "ER00\r\n")}));
    // Unanswered: the instrument said nothing about its mode.
    EXPECT_FALSE(
        saidLocalLast({line(in, "RMTS,0\r\n"), line(out, "ER00\r\n"), line(in, "RMTS,0\r\n")}));
    EXPECT_FALSE(saidLocalLast({}));
}

TEST(SoakFaultsTest, EveryFaultArmedIsOneTheSimulatorAccepts) {
    for (const std::string& action : faultActions()) {
        EXPECT_TRUE(rx9100sim::Fault::parse("MEAS,1:" + action)) << action;
    }
    std::mt19937 random(7);
    std::set<std::string> kinds;
    for (Operation operation : {Operation::Measure, Operation::Conditions, Operation::Remote}) {
        for (int i = 0; i < 300; ++i) {
            const std::string text = randomFault(operation, random);
            std::string error;
            const auto fault = rx9100sim::Fault::parse(text, &error);
            ASSERT_TRUE(fault) << text << ": " << error;
            kinds.insert(text.substr(text.find(':') + 1,
                                     text.find(':', text.find(':') + 1) - text.find(':') - 1));
        }
    }
    EXPECT_EQ(kinds.size(), 9u) << "every kind of fault is drawn";
}

using SoakCommandTest = CliTest;

TEST_F(SoakCommandTest, ACleanRunReportsItsFiguresAndPasses) {
    // Leaks are judged by the checks tested above; under AddressSanitizer memory only grows.
    const std::string tolerance = kUnderAddressSanitizer ? "1000000" : "4";
    const Finished r = run({"soak", "--minutes", "0.1", "--seed", "3", "--fault-rate", "0",
                            "--rss-tolerance", tolerance});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    for (const char* text : {"seed 3", "rounds", "measure", "worst latency", "at start",
                             "after warm-up", "at end", "open descriptors", "findings       0"}) {
        EXPECT_NE(r.err.find(text), std::string::npos) << text << "\n" << r.err;
    }
    EXPECT_EQ(r.err.find("FINDING"), std::string::npos) << r.err;
    const auto sent = commands();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back(), "RMTS,0");
}

TEST_F(SoakCommandTest, NeedsTheSimulatorAndSaneNumbers) {
    const Finished withoutSim = runCli(folder.path(), {"soak", "--minutes", "0.01"});
    EXPECT_EQ(withoutSim.exitCode, 2);
    EXPECT_NE(withoutSim.err.find("add --sim"), std::string::npos) << withoutSim.err;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"soak", "--minutes", "nan"},
          {"soak", "--fault-rate", "2"},
          {"soak", "--fault-rate", "nan"},
          {"soak", "--minutes", "-1"},
          {"soak", "--hang-seconds", "1e300"},
          {"soak", "--rss-tolerance", "1e300"}}) {
        EXPECT_EQ(run(args).exitCode, 2) << args[1] << " " << args[2];
    }
}

}  // namespace
}  // namespace clitest
