#pragma once
// Runs rx9100 as a child process with its output in files, and reads what the
// built-in simulator's transcript says the instrument received.
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace clitest {

struct Finished {
    int exitCode = -1;      // -1: killed after the time limit; 128 + N: ended by signal N
    int signal = 0;         // the signal that ended the program, 0 when it exited by itself
    long peakMemoryKb = 0;  // the most resident memory it ever had
    std::string out;
    std::string err;
};

// How the child's standard descriptors are set up.
struct Launch {
    bool stdoutToPipe = false;  // stdout is a pipe the test holds (out() is then empty)
    std::string stdoutPath;     // else this file (/dev/full, say); empty: a file read by out()
    std::vector<int> closed;    // descriptors 0 to 2 to close before the program starts
};

class CliProcess {
  public:
    // Starts `rx9100 args...` with stdout and stderr going to files in folder.
    CliProcess(const std::filesystem::path& folder, const std::vector<std::string>& args,
               const Launch& launch = {});
    ~CliProcess();  // kills a child that is still running
    CliProcess(const CliProcess&) = delete;
    CliProcess& operator=(const CliProcess&) = delete;

    void signal(int number) const;
    // The reader of the stdout pipe goes away, as `rx9100 ... | head -1` does.
    void closeOutputPipe();
    // Waits for the exit; kills the child when the limit passes (exitCode -1).
    Finished wait(std::chrono::milliseconds limit);
    std::string out() const;
    std::string err() const;

  private:
    pid_t pid_ = -1;
    int pipeReader_ = -1;
    std::filesystem::path outPath_;
    std::filesystem::path errPath_;
};

// Runs to the end (at most `limit`).
Finished runCli(const std::filesystem::path& folder, const std::vector<std::string>& args,
                std::chrono::milliseconds limit = std::chrono::seconds(20),
                const Launch& launch = {});

// Polls until the condition holds; false when the limit passed first.
bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit);

std::string readFile(const std::filesystem::path& path);

// The command lines the instrument received, from a transcript file, without CR LF.
std::vector<std::string> receivedCommands(const std::filesystem::path& transcript);

// A fresh folder for one test, removed afterwards.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace clitest
