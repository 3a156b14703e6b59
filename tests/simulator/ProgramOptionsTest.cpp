// rx9100-sim refuses numbers it cannot use in words, before it serves anything: an
// infinite latency or a luminance of 1e300 would otherwise overflow a duration or a
// reading.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace {

struct Outcome {
    int exitCode = -1;
    std::string output;
};

Outcome runSimulator(const std::string& options) {
    Outcome outcome;
    const std::string command = std::string(RX9100_SIM) + " " + options + " </dev/null 2>&1";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return outcome;
    }
    std::array<char, 512> chunk{};
    while (std::fgets(chunk.data(), chunk.size(), pipe) != nullptr) {
        outcome.output += chunk.data();
    }
    const int status = ::pclose(pipe);
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

TEST(ProgramOptions, NumbersOutOfRangeAreRefusedInWords) {
    struct Case {
        const char* options;
        const char* message;
    };
    for (const Case& c : {
             Case{"--luminance 1e300", "the luminance is a number of cd/m2 from 0 to 10000000"},
             Case{"--noise nan", "the noise is a number from 0 to 1 (not \"nan\")"},
             Case{"--baud -1", "the emulated line speed is a whole number from 0 to 4000000"},
             Case{"--latency 1e9", "the latency in ms is a whole number from 0 to 60000"},
             Case{"--time-scale inf", "the time scale is a number from 0 to 1000"},
             Case{"--auto-key 1e300", "the key interval is a number of seconds from 0 to 86400"},
             Case{"--variation 10", "the model variation is a whole number from 0 to 9"},
         }) {
        SCOPED_TRACE(c.options);
        const Outcome outcome = runSimulator(c.options);
        EXPECT_NE(outcome.exitCode, 0);
        EXPECT_NE(outcome.output.find(c.message), std::string::npos) << outcome.output;
        EXPECT_EQ(outcome.output.find("/dev/pts"), std::string::npos) << "it started serving";
    }
}

}  // namespace
