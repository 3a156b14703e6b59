// rx9100 started with standard descriptors closed: its results, messages and trace must
// not land on the instrument's line, which would otherwise get the free numbers.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include "CliTest.h"
#include "StandInInstrument.h"

namespace clitest {
namespace {

using StandardDescriptorsTest = CliTest;

bool protocolOnly(const std::vector<std::string>& lines) {
    // Command lines have no spaces; the program's output and trace lines all do.
    return std::none_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find(' ') != std::string::npos;
    });
}

const std::vector<std::vector<int>> kClosedSets{{STDIN_FILENO},
                                                {STDOUT_FILENO},
                                                {STDERR_FILENO},
                                                {STDOUT_FILENO, STDERR_FILENO},
                                                {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}};

std::string describe(const std::vector<int>& closed) {
    std::string text = "closed:";
    for (int fd : closed) {
        text += " " + std::to_string(fd);
    }
    return text;
}

TEST_F(StandardDescriptorsTest, NothingButCommandsReachesARealPort) {
    for (const auto& closed : kClosedSets) {
        SCOPED_TRACE(describe(closed));
        StandInInstrument instrument;
        Launch launch;
        launch.closed = closed;
        const Finished r = runCli(folder.path(),
                                  {"--settings", file("settings").string(), "--port",
                                   instrument.port(), "--trace", "identify"},
                                  std::chrono::seconds(20), launch);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        const auto received = instrument.received();
        EXPECT_TRUE(protocolOnly(received)) << ::testing::PrintToString(received);
        ASSERT_FALSE(received.empty());
        EXPECT_EQ(received.back(), "RMTS,0");
        EXPECT_FALSE(instrument.remoteMode());
    }
}

TEST_F(StandardDescriptorsTest, NothingButCommandsReachesTheBuiltInSimulator) {
    for (const auto& closed : kClosedSets) {
        SCOPED_TRACE(describe(closed));
        std::filesystem::remove(transcript());
        Launch launch;
        launch.closed = closed;
        const Finished r = runCli(folder.path(), simulated({"--trace", "measure"}),
                                  std::chrono::seconds(20), launch);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        const auto sent = commands();
        EXPECT_TRUE(protocolOnly(sent)) << ::testing::PrintToString(sent);
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent.back(), "RMTS,0");
    }
}

}  // namespace
}  // namespace clitest
