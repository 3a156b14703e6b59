#include "OutputTarget.h"

#include <cerrno>
#include <cstring>
#include <iostream>

#include "SpectrumPlot.h"

namespace cli {

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

std::string OutputTarget::openFor(const OutputOptions& output) {
    if (!output.plotFile.empty() && !plotAvailable()) {
        return writePlot(output.plotFile, {}, {});  // says why there is no plot
    }
    return open(output.outputFile);
}

}  // namespace cli
