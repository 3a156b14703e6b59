// Every way out of every command: Ctrl-C, SIGTERM, SIGHUP and a closed output pipe, at the
// moments a command waits (for a reply, the measuring time, a busy instrument, the
// completion, the next measurement of a series, the measuring key). The program always
// ends by itself, with 128 + the signal's number, and leaves the instrument in local mode.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>

#include "CliTest.h"
#include "StandInInstrument.h"

namespace clitest {
namespace {

using namespace std::chrono_literals;

std::size_t count(const std::vector<std::string>& lines, const std::string& line) {
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
}

bool anyStartsWith(const std::vector<std::string>& lines, const std::string& prefix) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.starts_with(prefix); });
}

std::size_t lineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

struct WayOut {
    const char* name;
    int signal;  // SIGPIPE: the reader of stdout goes away
};
constexpr WayOut kWaysOut[] = {
    {"Ctrl-C", SIGINT}, {"SIGTERM", SIGTERM}, {"SIGHUP", SIGHUP}, {"closed pipe", SIGPIPE}};

// A command caught while it waits.
struct Moment {
    std::string name;
    std::vector<std::string> args;  // the command, and simulator options
    // True once the instrument received what makes the command wait.
    std::function<bool(const std::vector<std::string>& received)> reached;
    // Set: a stand-in instrument on the test's own terminal answers instead of --sim.
    StandInInstrument::Answer standIn;
};

void PrintTo(const Moment& moment, std::ostream* out) {
    *out << moment.name;
}

std::vector<std::string> busyFaults(int lines) {
    std::vector<std::string> args;
    for (int k = 1; k <= lines; ++k) {
        args.push_back("--sim-fault");
        args.push_back("MEAS,1#" + std::to_string(k) + ":error:2");
    }
    return args;
}

std::vector<std::string> concat(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<Moment> moments() {
    return {
        {"IdentifyAwaitingAReply",
         {"--sim-fault", "IDDR:slow:3000", "identify"},
         [](const auto& sent) { return count(sent, "IDDR") > 0; },
         {}},
        {"ConditionsAwaitingAReplyToAWrite",
         {"--sim-fault", "SPMS:slow:3000", "conditions", "--set", "speed=fast"},
         [](const auto& sent) { return anyStartsWith(sent, "SPMS"); },
         {}},
        {"MeasureDuringTheMeasuringTime",
         {"--sim-measuring-time", "30", "measure"},
         [](const auto& sent) { return count(sent, "MEAS,1") > 0; },
         {}},
        // Another measurement keeps the instrument busy ("ER02") for half a minute.
        {"MeasureWhileTheInstrumentIsBusy",
         concat(busyFaults(300), {"measure"}),
         [](const auto& sent) { return count(sent, "MEAS,1") > 1; },
         {}},
        {"MeasureSeriesBetweenMeasurements",
         {"measure", "--count", "3", "--interval", "30"},
         [](const auto& sent) { return count(sent, "MEDR,1,1,4") > 0; },
         {}},
        {"RemoteAwaitingTheKey",
         {"remote"},
         [](const auto& sent) { return count(sent, "MSWE,1") > 0; },
         {}},
        // The instrument announces a short measurement and never reports its completion.
        {"MeasureAwaitingTheCompletion",
         {"measure"},
         [](const auto& sent) { return count(sent, "MEAS,1") > 0; },
         [](const std::string& line) -> std::optional<std::string> {
             if (line == "MEAS,1") {
                 return "OK00,0.01\r\n";
             }
             return std::nullopt;
         }},
    };
}

class StopTest : public CliTest, public ::testing::WithParamInterface<Moment> {};

TEST_P(StopTest, EveryWayOutEndsInLocalModeWithTheSignalsExitCode) {
    const Moment& moment = GetParam();
    for (const WayOut& way : kWaysOut) {
        SCOPED_TRACE(way.name);
        std::filesystem::remove(transcript());
        std::unique_ptr<StandInInstrument> standIn;
        std::vector<std::string> args;
        if (moment.standIn) {
            standIn = std::make_unique<StandInInstrument>(moment.standIn);
            args = concat({"--settings", file("settings").string(), "--port", standIn->port()},
                          moment.args);
        } else {
            args = simulated(moment.args);
        }
        auto received = [&] { return standIn ? standIn->received() : commands(); };
        Launch launch;
        launch.stdoutToPipe = way.signal == SIGPIPE;
        CliProcess process(folder.path(), args, launch);
        ASSERT_TRUE(waitUntil([&] { return moment.reached(received()); }, 10s)) << process.err();
        if (way.signal == SIGPIPE) {
            process.closeOutputPipe();
        } else {
            process.signal(way.signal);
        }
        const Finished r = process.wait(10s);
        EXPECT_EQ(r.signal, 0) << "ended by the signal, not by itself";
        EXPECT_EQ(r.exitCode, 128 + way.signal) << r.err;
        EXPECT_NE(r.err.find("stopped by"), std::string::npos) << r.err;
        const auto sent = received();
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent.back(), "RMTS,0");
        if (standIn) {
            EXPECT_FALSE(standIn->remoteMode());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, StopTest, ::testing::ValuesIn(moments()),
                         [](const auto& info) { return info.param.name; });

using InterruptTest = CliTest;

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
    EXPECT_EQ(r.exitCode, 130) << r.err;
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
