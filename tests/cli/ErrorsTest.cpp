// Failures: each prints the driver's status, the error code with the
// instrument's text and an English gloss, exits with its documented code, and
// leaves the instrument in local mode.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/file.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

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

// The receive thread of remote measurement shows its failures itself, in the driver's
// (Japanese) texts; each comes with its English meaning.
TEST_F(ErrorsTest, DriverMessagesCarryTheirEnglishGloss) {
    const Finished r = run({"--sim-key-interval", "0.3", "--sim-fault", "MEDR:error:30",
                            "--sim-fault", "MEDR,1,1,2:hangup", "remote", "--count", "2"});
    EXPECT_EQ(r.exitCode, 3) << r.err;
    std::istringstream lines(r.err);
    int messages = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("rx9100: driver message: ")) {
            ++messages;
            EXPECT_TRUE(line.ends_with(")")) << line;
        }
    }
    EXPECT_GE(messages, 2);
    EXPECT_NE(r.err.find("ER30 : 回路エラー (circuit error)"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("測定器から応答がありません (no response from the instrument)"),
              std::string::npos)
        << r.err;
}

// A settings file the driver cannot use: every command still works with the defaults,
// says so once, and leaves the file as it was.
TEST_F(ErrorsTest, ADamagedSettingsFileIsToldOnceAndLeftAlone) {
    std::filesystem::create_directories(file("settings"));
    const auto settings = file("settings") / "QV-L40w.toml";
    std::string deepHeader = "[a";
    for (int i = 0; i < 50000; ++i) {
        deepHeader += ".a";
    }
    const std::vector<std::string> damages{deepHeader + "]\n", "[RX-9100\nWCUOnOff = 1\n",
                                           "[RX-9100]\nWCSFilePath = \"" + std::string(40, '[') +
                                               "\"\nx = " + std::string(2000, '[') + "\n"};
    for (const std::string& text : damages) {
        std::ofstream(settings, std::ios::trunc) << text;
        const Finished r = run({"identify"});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        std::size_t told = 0;
        const std::string message = "driver message: The settings file ";
        for (auto at = r.err.find(message); at != std::string::npos;
             at = r.err.find(message, at + 1)) {
            ++told;
        }
        EXPECT_EQ(told, 1u) << r.err;
        EXPECT_TRUE(readFile(settings) == text);
    }
}

// A pseudo-terminal nobody answers on, its far end held open by this test.
class SilentPort {
  public:
    SilentPort() : master_(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC)) {
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) {
            path_ = ::ptsname(master_);
            held_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        }
    }
    ~SilentPort() {
        ::close(held_);
        ::close(master_);
    }
    const std::string& path() const { return path_; }
    bool lock() const { return ::flock(held_, LOCK_EX | LOCK_NB) == 0; }

  private:
    int master_;
    int held_ = -1;
    std::string path_;
};

TEST_F(ErrorsTest, APortOtherProgramsHoldIsNamedWithThem) {
    SilentPort port;
    ASSERT_FALSE(port.path().empty());
    const std::string me = "(process " + std::to_string(::getpid()) + ")";
    const std::vector<std::string> args{"--settings", file("settings").string(), "--port",
                                        port.path(), "identify"};
    // Open but not locked: the instrument's replies may go to the other reader.
    Finished r = runCli(folder.path(), args);
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.err.find(port.path() + " is also open in "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(me), std::string::npos) << r.err;
    // Locked: the transport refuses the port.
    ASSERT_TRUE(port.lock());
    r = runCli(folder.path(), args);
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.err.find(port.path() + " is busy: held by "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(me), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("choose another port with --port"), std::string::npos) << r.err;
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
