// `rx9100 identify`: who is on the other end of the port.
#include <cstdio>

#include "Commands.h"
#include "ExitCodes.h"
#include "InstrumentSession.h"

namespace cli {

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
    return kExitOk;
}

}  // namespace cli
