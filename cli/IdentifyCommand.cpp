// `rx9100 identify`: who is on the other end of the port.
#include <cstdio>
#include <string>
#include <vector>

#include "Commands.h"
#include "ErrorReport.h"
#include "ExitCodes.h"
#include "InstrumentSession.h"

namespace cli {

namespace {

// The driver keeps what the instrument did not say empty (or 0); the user should know that
// an empty line below is the instrument's silence, not a field this program forgot.
void warnOfMissingFields(const InstrumentIdentity& id) {
    std::vector<std::string> missing;
    if (id.variation.empty()) {
        missing.emplace_back("model variation");
    }
    if (id.bodyNumber.empty()) {
        missing.emplace_back("body number");
    }
    if (id.firmwareLevel == 0) {
        missing.emplace_back("ROM version");
    }
    if (missing.empty()) {
        return;
    }
    std::string list;
    for (const std::string& field : missing) {
        list += (list.empty() ? "" : ", ") + field;
    }
    printError("warning: the instrument's identity came back without " + list +
               " (an instrument that answers this way may not be an RX-9100)");
}

}  // namespace

int runIdentify(CommandContext& context) {
    InstrumentSession session(context.driver, context.line.global, context.trace,
                              context.portOverride);
    if (const int failed = session.open(); failed != kExitOk) {
        return failed;
    }
    const InstrumentIdentity id = session.identity();
    std::printf("name            %s\n", id.name.c_str());
    std::printf("variation       %s\n", id.variation.c_str());
    std::printf("body number     %s\n", id.bodyNumber.c_str());
    std::printf("ROM version     %s\n", id.romVersion.c_str());
    std::printf("firmware level  %d\n", id.firmwareLevel);
    std::printf("port            %s\n", id.port.c_str());
    warnOfMissingFields(id);
    return kExitOk;
}

}  // namespace cli
