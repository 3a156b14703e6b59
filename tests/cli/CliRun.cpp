#include "CliRun.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <thread>

namespace clitest {

CliProcess::CliProcess(const std::filesystem::path& folder, const std::vector<std::string>& args,
                       const Launch& launch)
    : outPath_(folder / "stdout.txt"), errPath_(folder / "stderr.txt") {
    std::vector<std::string> argv{RX9100_CLI};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> pointers;
    for (std::string& a : argv) {
        pointers.push_back(a.data());
    }
    pointers.push_back(nullptr);
    const std::string out = outPath_.string();
    const std::string err = errPath_.string();
    int outPipe[2] = {-1, -1};
    if (launch.stdoutToPipe || !launch.stdoutPath.empty()) {
        std::filesystem::remove(outPath_);  // out() then reads nothing
    }
    if (launch.stdoutToPipe && ::pipe2(outPipe, O_CLOEXEC) != 0) {
        return;
    }
    pid_ = ::fork();
    if (pid_ == 0) {
        const std::string outFile = launch.stdoutPath.empty() ? out : launch.stdoutPath;
        const int o = launch.stdoutToPipe
                          ? outPipe[1]
                          : ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int in = ::open("/dev/null", O_RDONLY);
        ::dup2(o, STDOUT_FILENO);
        ::dup2(e, STDERR_FILENO);
        ::dup2(in, STDIN_FILENO);
        for (int fd : launch.closed) {
            ::close(fd);
        }
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::execv(pointers[0], pointers.data());
        ::_exit(127);
    }
    if (launch.stdoutToPipe) {
        ::close(outPipe[1]);
        pipeReader_ = outPipe[0];
    }
}

void CliProcess::closeOutputPipe() {
    if (pipeReader_ >= 0) {
        ::close(pipeReader_);
        pipeReader_ = -1;
    }
}

CliProcess::~CliProcess() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    closeOutputPipe();
}

void CliProcess::signal(int number) const {
    ::kill(pid_, number);
}

Finished CliProcess::wait(std::chrono::milliseconds limit) {
    Finished result;
    int status = 0;
    rusage usage{};
    const bool ended =
        waitUntil([&] { return ::wait4(pid_, &status, WNOHANG, &usage) == pid_; }, limit);
    if (!ended) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status, 0);
    } else if (WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
        result.exitCode = 128 + result.signal;
    }
    pid_ = -1;
    result.peakMemoryKb = usage.ru_maxrss;
    result.out = out();
    result.err = err();
    return result;
}

std::string CliProcess::out() const {
    return readFile(outPath_);
}

std::string CliProcess::err() const {
    return readFile(errPath_);
}

Finished runCli(const std::filesystem::path& folder, const std::vector<std::string>& args,
                std::chrono::milliseconds limit, const Launch& launch) {
    CliProcess process(folder, args, launch);
    return process.wait(limit);
}

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> receivedCommands(const std::filesystem::path& transcript) {
    std::vector<std::string> commands;
    std::istringstream lines(readFile(transcript));
    for (std::string line; std::getline(lines, line);) {
        const auto arrow = line.find(" -> ");
        if (arrow == std::string::npos) {
            continue;
        }
        std::string command = line.substr(arrow + 4);
        if (command.ends_with("\\r\\n")) {
            command.resize(command.size() - 4);
        }
        commands.push_back(command);
    }
    return commands;
}

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "rx9100-cli-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace clitest
