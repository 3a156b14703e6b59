// The program's surface: help and version, refused option combinations,
// identification with its trace, and a port that does not exist.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "CliTest.h"

namespace clitest {
namespace {

using IdentifyTest = CliTest;

TEST_F(IdentifyTest, HelpOnEveryLevelVersionAndBadUsage) {
    for (const char* command : {"ports", "identify", "conditions", "measure", "remote"}) {
        const Finished help = runCli(folder.path(), {command, "--help"});
        EXPECT_EQ(help.exitCode, 0) << command;
        EXPECT_NE(help.out.find(std::string("rx9100 ") + command), std::string::npos) << command;
    }
    const Finished top = runCli(folder.path(), {"--help"});
    EXPECT_NE(top.out.find("--sim-key-interval"), std::string::npos);
    EXPECT_NE(top.out.find("Exit codes"), std::string::npos);

    EXPECT_EQ(runCli(folder.path(), {"--version"}).out, "rx9100 0.1.0\n");
    EXPECT_EQ(runCli(folder.path(), {}).exitCode, 2);                                 // no command
    EXPECT_EQ(runCli(folder.path(), {"--sim-source", "a", "identify"}).exitCode, 2);  // needs --sim
    EXPECT_EQ(runCli(folder.path(), {"--sim", "--port", "/dev/null", "identify"}).exitCode, 2);
    EXPECT_EQ(runCli(folder.path(), {"measure", "--format", "xml"}).exitCode, 2);
}

// Longest run of digits in a text.
std::size_t longestNumber(const std::string& text) {
    std::size_t longest = 0;
    std::size_t run = 0;
    for (char c : text) {
        run = std::isdigit(static_cast<unsigned char>(c)) ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

TEST_F(IdentifyTest, ValuesOutOfRangeAreRefusedInWordsBeforeAnythingStarts) {
    const std::vector<std::vector<std::string>> cases{
        {"measure", "--count", "0"},
        {"measure", "--count", "-3"},
        {"measure", "--count", "99999999999"},
        {"measure", "--count", "2.5"},
        {"measure", "--interval", "nan"},
        {"measure", "--interval", "inf"},
        {"measure", "--interval", "1e300"},
        {"measure", "--interval", "-1"},
        {"measure", "--observer", "3"},
        {"remote", "--count", "-1"},
        {"--baud", "0", "identify"},
        {"--baud", "-9600", "identify"},
        {"--baud", "12345", "identify"},
        {"--baud", "115200", "identify"},
        {"--sim-luminance", "nan", "identify"},
        {"--sim-luminance", "1e300", "identify"},
        {"--sim-key-interval", "1e300", "identify"},
        {"--sim-key-interval", "-1", "identify"},
        {"--sim-measuring-time", "inf", "identify"},
        {"--sim-noise", "nan", "identify"},
        {"--sim-baud", "-5", "identify"},
        {"--sim-baud", "0x10", "identify"},
        {"--sim-variation", "nan", "identify"},
        {"--sim-angle", "3", "identify"},
        {"--sim-wavelength-error", "nan", "identify"},
        {"--sim-stored", "-1", "identify"},
        {"--sim-source", "sunlight", "identify"},
        {"--sim-fault", "MEAS,1", "identify"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const Finished r = run(args);
        EXPECT_EQ(r.exitCode, 2) << r.err;
        const std::string& option =
            args.front() == "measure" || args.front() == "remote" ? args[1] : args.front();
        EXPECT_NE(r.err.find(option + ": "), std::string::npos) << r.err;
        EXPECT_LE(longestNumber(r.err), 12u) << r.err;
        EXPECT_FALSE(std::filesystem::exists(transcript()));  // no instrument was started
    }
}

TEST_F(IdentifyTest, PrintsTheInstrumentAndTracesEveryLine) {
    const Finished r = run({"--sim-variation", "2", "--sim-rom", "1.20", "--sim-body", "7654321",
                            "--trace-file", file("trace.txt").string(), "identify"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("RX-9100A"), std::string::npos) << r.out;  // low-luminance from ROM 1.10
    EXPECT_NE(r.out.find("低輝度モデル"), std::string::npos);
    EXPECT_NE(r.out.find("7654321"), std::string::npos);
    EXPECT_NE(r.out.find("ROM version     1.20"), std::string::npos);
    EXPECT_NE(r.out.find("firmware level  120"), std::string::npos);

    const std::string trace = readFile(file("trace.txt"));
    EXPECT_NE(trace.find("> IDDR"), std::string::npos) << trace;
    EXPECT_NE(trace.find("< OK00,RX-9100,2,7654321"), std::string::npos) << trace;
    const auto sent = commands();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.front(), "RMTS,1");
    EXPECT_EQ(sent.back(), "RMTS,0");  // back in local mode
    EXPECT_EQ(r.err.find("warning"), std::string::npos) << r.err;

    // Identity replies cut short: the fields stay empty and the user is told which.
    const Finished cut = run(
        {"--sim-fault", "IDDR:reply:OK00,RX-9100", "--sim-fault", "VERR:reply:OK00", "identify"});
    ASSERT_EQ(cut.exitCode, 0) << cut.err;
    EXPECT_NE(cut.err.find("warning: the instrument's identity came back without body number, "
                           "ROM version"),
              std::string::npos)
        << cut.err;
}

TEST_F(IdentifyTest, MissingPortIsALinkFailure) {
    const Finished r = runCli(folder.path(), {"--settings", (folder.path() / "s").string(),
                                              "--port", "/dev/rx9100-missing", "identify"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.err.find("/dev/rx9100-missing"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("status -10"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace clitest
