// `rx9100 ports`: the serial ports present.
#include <cstdio>

#include "Commands.h"
#include "ExitCodes.h"
#include "outside/PortSettings.h"

namespace cli {

int runPorts() {
    const auto ports = portway::listPorts();
    if (ports.empty()) {
        std::printf("No serial ports found.\n");
    }
    for (const portway::PortInfo& port : ports) {
        std::printf("%s\n", portway::describePort(port).c_str());
    }
    std::printf("A serial server on the network is reached with --port tcp:HOST:PORT.\n");
    return kExitOk;
}

}  // namespace cli
