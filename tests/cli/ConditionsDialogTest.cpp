// rx9100 conditions --dialog: without a display it says so before touching the instrument;
// with one the driver's window opens between the conditions before and after, and a stop
// request closes it without writing anything.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>

#include <algorithm>
#include <optional>
#include <string>

#include "CliTest.h"

namespace clitest {
namespace {

using namespace std::chrono_literals;

// Sets (or, with no value, removes) an environment variable for the children started
// while it lives.
class EnvironmentVariable {
  public:
    EnvironmentVariable(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            previous_ = old;
        }
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
    ~EnvironmentVariable() {
        if (previous_) {
            setenv(name_, previous_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> previous_;
};

using ConditionsDialogTest = CliTest;

TEST_F(ConditionsDialogTest, WithoutADisplaySaysSoAndLeavesTheInstrumentAlone) {
    EnvironmentVariable x("DISPLAY", std::nullopt);
    EnvironmentVariable wayland("WAYLAND_DISPLAY", std::nullopt);
    const Finished r = run({"conditions", "--dialog"});
    EXPECT_EQ(r.exitCode, 5) << r.err;  // as for a plot without Qt
#ifdef RX9100_CLI_PLOT
    EXPECT_NE(r.err.find("--dialog needs a display"), std::string::npos) << r.err;
#else
    EXPECT_NE(r.err.find("built without Qt"), std::string::npos) << r.err;
#endif
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(commands(), std::vector<std::string>{});

    const Finished both = run({"conditions", "--dialog", "--set", "speed=fast"});
    EXPECT_EQ(both.exitCode, 2);
}

#ifdef RX9100_CLI_PLOT
TEST_F(ConditionsDialogTest, StopClosesTheWindowWritesNothingAndReturnsToLocalMode) {
    // A display name makes the program open its window; the offscreen platform draws it
    // nowhere, so only the stop request ends it.
    EnvironmentVariable x("DISPLAY", ":99");
    EnvironmentVariable platform("QT_QPA_PLATFORM", "offscreen");
    CliProcess process(folder.path(), simulated({"conditions", "--dialog"}));
    const auto opened = [&] {
        const auto sent = commands();
        // The window probes the adapter-lens table as it opens.
        return std::any_of(sent.begin(), sent.end(),
                           [](const std::string& c) { return c.starts_with("ALFR"); });
    };
    ASSERT_TRUE(waitUntil(opened, 10s)) << process.err();
    process.signal(SIGINT);
    const Finished r = process.wait(10s);
    EXPECT_EQ(r.exitCode, 130) << r.err;
    EXPECT_NE(r.out.find("Before the dialog"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("After the dialog"), std::string::npos) << r.out;
    const auto sent = commands();
    for (const std::string& c : sent) {
        for (const char* write : {"SPMS", "SCMS", "LNSS", "NDFS", "UCCS"}) {
            EXPECT_FALSE(c.starts_with(write)) << c;
        }
    }
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back(), "RMTS,0");
}
#endif

}  // namespace
}  // namespace clitest
