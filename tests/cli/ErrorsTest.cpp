// Failures: each prints the driver's status, the error code with the
// instrument's text and an English gloss, exits with its documented code, and
// leaves the instrument in local mode.
#include <gtest/gtest.h>

#include "CliTest.h"

namespace clitest {
namespace {

using ErrorsTest = CliTest;

TEST_F(ErrorsTest, RefusalsAreReportedAndTheInstrumentReturnsToLocalMode) {
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> expected;  // in stderr
    };
    const std::vector<Case> cases{
        {{"--sim-fault", "MEAS,1:error:10", "measure"},
         {"measurement 1 failed: status 10", "error 10: ER10 : オーバーエラー",
          "(over-range error: too much light)"}},
        {{"--sim-fault", "MEDR,1,1,2:nan:5", "measure"},
         {"error 41: 測定データが正しくありません", "(measured data invalid"}},
        {{"--sim-fault", "IDDR:error:1", "identify"},
         {"connecting to the instrument on /dev/pts/", "error 1: ER01 : 通信パラメータエラー",
          "(communication parameter error)"}},
        {{"--sim-fault", "SPMS:error:34", "conditions", "--set", "speed=fast"},
         {"writing the measuring conditions failed: status 10", "error 34: ER34 : 回路エラー"}},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(transcript());
        const Finished r = run(c.args);
        EXPECT_EQ(r.exitCode, 4) << c.args[1];
        for (const std::string& text : c.expected) {
            EXPECT_NE(r.err.find(text), std::string::npos) << c.args[1] << ": " << r.err;
        }
        EXPECT_TRUE(r.out.empty()) << r.out;
        const auto sent = commands();
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent.back(), "RMTS,0") << c.args[1];
    }
}

TEST_F(ErrorsTest, ARefusedRemoteModeIsNotUndone) {
    const Finished r = run({"--sim-fault", "RMTS,1:error:30", "identify"});
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_EQ(commands(), std::vector<std::string>{"RMTS,1"});  // never entered: nothing to leave
}

TEST_F(ErrorsTest, AnUnwritableOutputFailsBeforeTheInstrumentIsTouched) {
    const Finished r = run({"measure", "--format", "csv", "-o", "/nonexistent-dir/m.csv"});
    EXPECT_EQ(r.exitCode, 5);
    EXPECT_NE(r.err.find("cannot write /nonexistent-dir/m.csv"), std::string::npos) << r.err;
    EXPECT_TRUE(commands().empty());
}

TEST_F(ErrorsTest, TraceOnStderrShowsBothDirectionsWithTimestamps) {
    const Finished r = run({"--trace", "identify"});
    ASSERT_EQ(r.exitCode, 0);
    // "21:58:40.284086 > RMTS,1": local time with microseconds, direction, line.
    const auto first = r.err.find("> RMTS,1");
    ASSERT_NE(first, std::string::npos) << r.err;
    ASSERT_GE(first, 16u);
    const std::string stamp = r.err.substr(first - 16, 15);
    EXPECT_EQ(stamp[2], ':');
    EXPECT_EQ(stamp[8], '.');
    EXPECT_NE(r.err.find("< OK00,1.10"), std::string::npos);
    EXPECT_NE(r.err.find("> RMTS,0"), std::string::npos);
    EXPECT_EQ(r.out.find("> RMTS"), std::string::npos);  // the trace stays off stdout
}

}  // namespace
}  // namespace clitest
