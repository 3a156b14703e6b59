#include "ErrorReport.h"

#include <cstdio>
#include <map>

#include "ExitCodes.h"
#include "sensor/AbstractSensorStrategy.h"
#include "sensor/ResultCodes.h"

namespace cli {

std::string glossFor(int code) {
    namespace error = codes::error;
    static const std::map<int, std::string> glosses{
        {1, "communication parameter error"},
        {error::kMeasuring, "communication error: the instrument is measuring"},
        {3, "overrun error"},
        {5, "no data"},
        {10, "over-range error: too much light"},
        {11, "no external sync signal"},
        {12, "lens error"},
        {error::kNoData, "no data (or the instrument left remote mode while its key was enabled)"},
        {error::kNoStoredData, "no data"},
        {30, "circuit error"},
        {31, "circuit error"},
        {32, "circuit error"},
        {33, "circuit error"},
        {34, "circuit error"},
        {error::kWhiteCalibrationMissing, "white calibration has not been done"},
        {error::kInvalidData, "measured data invalid; measure under correct conditions"},
        {error::kAngleChanged, "measuring angle changed; run calibration"},
        {error::kDataNotReceived, "data could not be received correctly"},
        {71, "no external sync signal"},
        {83, "measuring-angle position fault"},
        {error::kNoResponse, "no response from the instrument"},
        {error::kNoError, "no error"},
        {error::kInsufficientExposure, "insufficient exposure"},
    };
    const auto found = glosses.find(code);
    return found == glosses.end() ? std::string() : found->second;
}

int exitCodeForStatus(int status) {
    return status == codes::status::kTransportFailed ? kExitLink : kExitInstrument;
}

void printError(const std::string& message) {
    std::fprintf(stderr, "rx9100: %s\n", message.c_str());
}

int reportFailure(const std::string& action, AbstractSensorStrategy& driver, int status,
                  const std::string& transportDetail) {
    const InstrumentState& state = *driver.getInstrumentState();
    const int code = state.getErrorCode();
    const char* meaning = status == codes::status::kTransportFailed
                              ? "transport failure"
                              : "refused by the instrument or driver";
    std::fprintf(stderr, "rx9100: %s failed: status %d (%s)\n", action.c_str(), status, meaning);
    if (code != codes::error::kNoError) {
        std::string line = "error " + std::to_string(code);
        std::string text = state.getErrorMessage();
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
            text.pop_back();  // some of the instrument's texts end in a line break
        }
        if (!text.empty()) {
            line += ": " + text;
        }
        const std::string gloss = glossFor(code);
        if (!gloss.empty()) {
            line += " (" + gloss + ")";
        }
        std::fprintf(stderr, "  %s\n", line.c_str());
    }
    if (!transportDetail.empty()) {
        std::fprintf(stderr, "  port: %s\n", transportDetail.c_str());
    }
    return exitCodeForStatus(status);
}

}  // namespace cli
