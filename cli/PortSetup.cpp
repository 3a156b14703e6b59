#include "PortSetup.h"

#include <algorithm>
#include <cctype>

#include "outside/CommunicationMethod.h"

namespace cli {

std::unique_ptr<SerialPort> makePort(SerialPort* current, const GlobalOptions& options,
                                     const std::string& portOverride) {
    auto port = std::make_unique<SerialPort>(false, true);
    port->setAvailableMethod(comm::kUsbCdc);
    port->setAvailableBaudRate(38400);
    port->setAvailableByteSize(8);
    port->setAvailableParity(0);
    port->setAvailableStopBits(0);
    if (current != nullptr) {
        port->setMethod(current->getMethod());
        port->setPortName(current->getPortName());
        port->setBaudRate(current->getBaudRate());
        port->setByteSize(current->getByteSize());
        port->setParity(current->getParity());
        port->setStopBits(current->getStopBits());
    }
    std::string method = options.method;
    std::transform(method.begin(), method.end(), method.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (method == "rs232c") {
        port->setMethod(comm::kRs232c);
    } else if (method == "usb") {
        port->setMethod(comm::kUsbCdc);
    }
    if (!portOverride.empty()) {
        port->setPortName(portOverride);
    } else if (!options.port.empty()) {
        port->setPortName(options.port);
    }
    if (options.baud) {
        port->setBaudRate(*options.baud);
    }
    return port;
}

}  // namespace cli
