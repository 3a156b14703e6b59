// Where the results go: targets that cannot be written are found before the instrument
// is touched, a write that fails ends every command with 5 (and the instrument in local
// mode), and a long run keeps no more of its results in memory than the plot needs.
#include <gtest/gtest.h>

#include "CliTest.h"

namespace clitest {
namespace {

using OutputTest = CliTest;

#ifdef RX9100_CLI_PLOT
constexpr bool kPlot = true;
#else
constexpr bool kPlot = false;  // built without Qt: --plot is refused
#endif

TEST_F(OutputTest, UnwritableTargetsFailBeforeTheInstrumentIsTouched) {
    std::filesystem::create_directory(file("a-folder"));
    struct Case {
        std::vector<std::string> args;
        std::string expected;
    };
    std::vector<Case> cases;
    for (const char* command : {"measure", "remote"}) {
        cases.push_back({{command, "-o", "/nonexistent-dir/m.csv"},
                         "cannot write /nonexistent-dir/m.csv: No such file or directory"});
        cases.push_back({{command, "-o", file("a-folder").string()}, "Is a directory"});
        cases.push_back(
            {{command, "--plot", "/nonexistent-dir/p.png"},
             kPlot ? "cannot write the plot /nonexistent-dir/p.png" : "--plot is not available"});
        cases.push_back({{command, "--plot", file("a-folder").string()},
                         kPlot ? "Is a directory" : "--plot is not available"});
    }
    cases.push_back(
        {{"--trace-file", file("a-folder").string(), "identify"}, "cannot write the trace file"});
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        std::filesystem::remove(transcript());
        const Finished r = run(c.args);
        EXPECT_EQ(r.exitCode, 5);
        EXPECT_NE(r.err.find(c.expected), std::string::npos) << r.err;
        EXPECT_TRUE(commands().empty());
    }
    EXPECT_EQ(std::filesystem::directory_iterator(file("a-folder")),
              std::filesystem::directory_iterator());  // the checks leave nothing behind
}

TEST_F(OutputTest, AFailedWriteIsExit5InEveryCommand) {
    const std::vector<std::vector<std::string>> commandLines{
        {"identify"},
        {"conditions"},
        {"conditions", "--json"},
        {"conditions", "--set", "speed=fast"},
        {"measure"},
        {"measure", "--format", "csv"},
        {"measure", "--format", "json", "--count", "2"},
        {"measure", "--format", "cgats"},
        {"--sim-key-interval", "0.2", "remote", "--count", "1"},
        // Endless: the first result that cannot be written ends it.
        {"--sim-key-interval", "0.2", "remote", "--format", "json"},
    };
    Launch full;
    full.stdoutPath = "/dev/full";
    for (const auto& args : commandLines) {
        SCOPED_TRACE(::testing::PrintToString(args));
        std::filesystem::remove(transcript());
        const Finished r = runCli(folder.path(), simulated(args), std::chrono::seconds(20), full);
        EXPECT_EQ(r.exitCode, 5) << r.err;
        EXPECT_NE(r.err.find("could not be written"), std::string::npos) << r.err;
        const auto sent = commands();
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent.back(), "RMTS,0");
    }
    // An output file on a full disk, and the commands that never touch the instrument.
    const Finished toFile = run({"measure", "-o", "/dev/full"});
    EXPECT_EQ(toFile.exitCode, 5) << toFile.err;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"ports"}, {"--help"}, {"measure", "--help"}, {"--version"}}) {
        SCOPED_TRACE(args.front());
        EXPECT_EQ(runCli(folder.path(), args, std::chrono::seconds(20), full).exitCode, 5);
    }
}

// Each measurement kept would cost some kilobytes: 2000 of them, megabytes.
TEST_F(OutputTest, ALongRunKeepsNoMoreResultsThanThePlotNeeds) {
    if (kUnderAddressSanitizer) {
        GTEST_SKIP() << "memory figures mean nothing under AddressSanitizer";
    }
    std::vector<std::vector<std::string>> outputs{{"--format", "json"}, {"--format", "cgats"}};
    if (kPlot) {
        outputs.push_back({"--format", "json", "--plot", file("p.png").string()});
    }
    auto peakKb = [&](const std::vector<std::string>& output, int count) {
        std::vector<std::string> args{"--sim-measuring-time", "0",  "measure",  "--count",
                                      std::to_string(count),  "-o", "/dev/null"};
        args.insert(args.end(), output.begin(), output.end());
        const Finished r = runCli(folder.path(), simulated(args), std::chrono::seconds(50));
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return r.peakMemoryKb;
    };
    for (const auto& output : outputs) {
        SCOPED_TRACE(::testing::PrintToString(output));
        const long shortRun = peakKb(output, 20);
        const long longRun = peakKb(output, 2000);
        EXPECT_LT(longRun - shortRun, 1024) << shortRun << " KB, then " << longRun << " KB";
    }
}

}  // namespace
}  // namespace clitest
