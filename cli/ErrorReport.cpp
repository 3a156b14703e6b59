#include "ErrorReport.h"

#include <cstdio>
#include <map>

#include "ExitCodes.h"
#include "sensor/AbstractSensorStrategy.h"

namespace cli {

std::string glossFor(int code) {
    static const std::map<int, std::string> glosses{
        {1, "communication parameter error"},
        {2, "communication error: the instrument is measuring"},
        {3, "overrun error"},
        {5, "no data"},
        {10, "over-range error: too much light"},
        {11, "no external sync signal"},
        {12, "lens error"},
        {20, "no data (or the instrument left remote mode while its key was enabled)"},
        {21, "no data"},
        {30, "circuit error"},
        {31, "circuit error"},
        {32, "circuit error"},
        {33, "circuit error"},
        {34, "circuit error"},
        {40, "white calibration has not been done"},
        {41, "measured data invalid; measure under correct conditions"},
        {42, "measuring angle changed; run calibration"},
        {43, "data could not be received correctly"},
        {71, "no external sync signal"},
        {83, "measuring-angle position fault"},
        {99, "no response from the instrument"},
        {200, "no error"},
        {216, "insufficient exposure"},
    };
    const auto found = glosses.find(code);
    return found == glosses.end() ? std::string() : found->second;
}

int exitCodeForStatus(int status) {
    return status == -10 ? kExitLink : kExitInstrument;
}

void printError(const std::string& message) {
    std::fprintf(stderr, "rx9100: %s\n", message.c_str());
}

int reportFailure(const std::string& action, AbstractSensorStrategy& driver, int status,
                  const std::string& transportDetail) {
    const InstrumentState& state = *driver.getInstrumentState();
    const int code = state.getErrorCode();
    const char* meaning =
        status == -10 ? "transport failure" : "refused by the instrument or driver";
    std::fprintf(stderr, "rx9100: %s failed: status %d (%s)\n", action.c_str(), status, meaning);
    if (code != InstrumentState::kNoError) {
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
