#include "OutputTarget.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "Interrupt.h"
#include "SpectrumPlot.h"

namespace cli {

namespace {

// Opened without truncating, so that an existing plot stays until the new one replaces it;
// a file made only for this check is removed again.
std::string checkPlotFile(const std::string& path) {
    const bool existed = ::access(path.c_str(), F_OK) == 0;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        return "cannot write the plot " + path + ": " + std::strerror(errno);
    }
    ::close(fd);
    if (!existed) {
        ::unlink(path.c_str());
    }
    return {};
}

}  // namespace

std::string OutputTarget::open(const std::string& path) {
    if (path.empty()) {
        return {};
    }
    file_.open(path, std::ios::out | std::ios::trunc);
    if (!file_) {
        return "cannot write " + path + ": " + std::strerror(errno);
    }
    toFile_ = true;
    return {};
}

std::ostream& OutputTarget::stream() {
    return toFile_ ? static_cast<std::ostream&>(file_) : std::cout;
}

bool OutputTarget::good() {
    stream().flush();
    return stream().good();
}

int OutputTarget::watchedPipe() const {
    return toFile_ ? -1 : pipedStandardOutput();
}

std::string OutputTarget::openFor(const OutputOptions& output) {
    for (const std::string& file : {output.plotFile, output.vectorPlotFile}) {
        if (file.empty()) {
            continue;
        }
        if (!plotAvailable()) {
            return writePlot(file, {}, {});  // says why there is no plot
        }
        if (std::string error = checkPlotFile(file); !error.empty()) {
            return error;
        }
    }
    return open(output.outputFile);
}

std::string standardOutputError() {
    std::cout.flush();
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0;
    const int error = errno;
    if (flushed && std::ferror(stdout) == 0 && std::cout.good()) {
        return {};
    }
    std::string text = "the output could not be written";
    if (!flushed && error != 0) {
        text += std::string(": ") + std::strerror(error);
    }
    return text;
}

}  // namespace cli
