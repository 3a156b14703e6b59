// Ctrl-C and a dropped line: the program stops cleanly, tells the instrument
// (cancel, key off, local mode) and exits with its documented code.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "CliTest.h"

namespace clitest {
namespace {

using namespace std::chrono_literals;
using InterruptTest = CliTest;

std::size_t count(const std::vector<std::string>& lines, const std::string& line) {
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
}

std::size_t lineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST_F(InterruptTest, CtrlCDuringAMeasurementCancelsItAtTheInstrument) {
    CliProcess process(folder.path(), simulated({"--sim-measuring-time", "30", "measure"}));
    ASSERT_TRUE(waitUntil([&] { return count(commands(), "MEAS,1") == 1; }, 5s));
    process.signal(SIGINT);
    const Finished r = process.wait(5s);  // not the 30 s of the measurement
    EXPECT_EQ(r.exitCode, 130) << r.err;
    EXPECT_NE(r.err.find("cancelled"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
    const auto sent = commands();
    const auto meas = std::find(sent.begin(), sent.end(), "MEAS,1");
    EXPECT_NE(std::find(meas, sent.end(), "MEAS,0"), sent.end());
    EXPECT_EQ(sent.back(), "RMTS,0");
}

TEST_F(InterruptTest, RemoteModePrintsEachKeyMeasurementUntilCtrlC) {
    CliProcess process(folder.path(),
                       simulated({"--sim-key-interval", "0.25", "remote", "--format", "json"}));
    ASSERT_TRUE(waitUntil([&] { return lineCount(process.out()) >= 3; }, 10s)) << process.err();
    process.signal(SIGINT);
    const Finished r = process.wait(5s);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    std::istringstream lines(r.out);
    int index = 0;
    for (std::string line; std::getline(lines, line);) {
        const auto m = nlohmann::json::parse(line);
        EXPECT_EQ(m["measurement"], ++index);
        EXPECT_EQ(m["spectrum"]["values"].size(), 401u);
    }
    EXPECT_GE(index, 3);
    const auto sent = commands();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[sent.size() - 2], "MSWE,0");  // the key is off again
    EXPECT_EQ(sent.back(), "RMTS,0");
}

TEST_F(InterruptTest, RemoteCountStopsByItself) {
    const Finished r =
        run({"--sim-key-interval", "0.25", "remote", "--count", "2", "--format", "csv"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(lineCount(r.out), 1u + 2u * 401u);
    EXPECT_EQ(commands().back(), "RMTS,0");
}

TEST_F(InterruptTest, ADroppedLineIsALinkFailureWithoutAHang) {
    const auto start = std::chrono::steady_clock::now();
    const Finished r = run({"--sim-fault", "MEDR,1,1,2:hangup", "measure"});
    EXPECT_LT(std::chrono::steady_clock::now() - start, 8s);
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.err.find("measurement 1 failed: status -10"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("error 99"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("no response from the instrument"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
}

}  // namespace
}  // namespace clitest
