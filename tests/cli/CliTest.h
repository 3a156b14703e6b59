#pragma once
// A test folder per test and the options that run rx9100 against its simulator.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CliRun.h"

namespace clitest {

// AddressSanitizer keeps freed memory in quarantine and slows every allocation: resident
// memory says nothing about leaks there, and long runs take many times as long.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kUnderAddressSanitizer = true;
#else
inline constexpr bool kUnderAddressSanitizer = false;
#endif

class CliTest : public ::testing::Test {
  protected:
    // Global options for a quick, exact simulated instrument with a transcript,
    // then `more` (the command and its options).
    std::vector<std::string> simulated(const std::vector<std::string>& more) const {
        std::vector<std::string> args{"--settings",
                                      (folder.path() / "settings").string(),
                                      "--sim",
                                      "--sim-time-scale",
                                      "0.05",
                                      "--sim-noise",
                                      "0",
                                      "--sim-transcript",
                                      transcript().string()};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }
    Finished run(const std::vector<std::string>& more) const {
        return runCli(folder.path(), simulated(more));
    }
    std::filesystem::path transcript() const { return folder.path() / "transcript.txt"; }
    std::filesystem::path file(const std::string& name) const { return folder.path() / name; }
    std::vector<std::string> commands() const { return receivedCommands(transcript()); }

    TempFolder folder;
};

}  // namespace clitest
