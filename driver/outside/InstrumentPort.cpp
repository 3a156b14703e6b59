#include "outside/InstrumentPort.h"

#include "outside/CommunicationMethod.h"

namespace {

constexpr int kBaudRate = 38400;
constexpr int kByteSize = 8;
constexpr int kNoParity = 0;
constexpr int kOneStopBit = 0;

}  // namespace

std::unique_ptr<SerialPort> makeInstrumentPort(const std::string& portName, int baudRate) {
    auto port = std::make_unique<SerialPort>(false, true);
    port->setAvailableMethod(comm::kUsbCdc);
    port->setAvailableBaudRate(kBaudRate);
    port->setAvailableByteSize(kByteSize);
    port->setAvailableParity(kNoParity);
    port->setAvailableStopBits(kOneStopBit);
    port->setMethod(comm::kUsbCdc);
    port->setPortName(portName);
    port->setBaudRate(baudRate);
    port->setByteSize(kByteSize);
    port->setParity(kNoParity);
    port->setStopBits(kOneStopBit);
    return port;
}

std::optional<portway::PortSettings> portSettingsOf(HostConnection* connection) {
    const auto* port = dynamic_cast<SerialPort*>(connection);
    if (port == nullptr) {
        return std::nullopt;
    }
    portway::PortSettings settings;
    settings.method = port->getMethod();
    settings.portName = port->getPortName();
    settings.baudRate = port->getBaudRate();
    settings.byteSize = port->getByteSize();
    settings.parity = port->getParity();
    settings.stopBits = port->getStopBits();
    return settings;
}

bool isCanceled(HostConnection* connection) {
    auto* bus = dynamic_cast<UnivSerialBus*>(connection);
    return bus != nullptr && bus->isCanceled();
}
