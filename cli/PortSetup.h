#pragma once
// The driver's transport as rx9100 and the Python module set it up: a port configured
// like the driver's own, then changed by the options.
#include <memory>
#include <string>

#include "Options.h"
#include "outside/PortwayEx.h"

namespace cli {

// portOverride replaces the settings' port when not empty (the simulator's pty).
std::unique_ptr<SerialPort> makePort(SerialPort* current, const GlobalOptions& options,
                                     const std::string& portOverride);

}  // namespace cli
