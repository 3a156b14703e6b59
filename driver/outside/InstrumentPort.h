#pragma once
// The driver's side of the transport: the port it creates for the instrument, and the
// settings it keeps of the port.
#include <memory>
#include <optional>
#include <string>

#include "outside/PortSettings.h"
#include "outside/PortwayEx.h"

// A SerialPort offering what the instrument supports (USB (CDC) or RS-232C up to 38400
// baud, 8 data bits, no parity, one stop bit), set to the given port and baud rate.
std::unique_ptr<SerialPort> makeInstrumentPort(const std::string& portName, int baudRate);

// The settings of a port the transport library made; nothing for a transport a host or a
// test brought, which keeps its settings to itself.
std::optional<portway::PortSettings> portSettingsOf(HostConnection* connection);

// Whether the transport gave up a wait because it was told to cancel.
bool isCanceled(HostConnection* connection);
