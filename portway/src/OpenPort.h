#pragma once
// Opening the two kinds of connection.
#include <chrono>
#include <string>

#include "Link.h"
#include "outside/PortSettings.h"
#include "portway/PortName.h"

namespace portway {

// How long a TCP connection attempt may take.
inline constexpr std::chrono::seconds kConnectLimit{5};

// Opens the device for this program alone and sets up the line: raw bytes,
// the data bits, parity and stop bits of the settings, no flow control. The
// baud rate is set for RS-232C only; a USB(CDC) device keeps its own.
Link openDevice(const std::string& device, const std::string& label, const PortSettings& settings);

// Connects to a raw TCP serial server; the line settings are the server's.
Link connectTcp(const Endpoint& endpoint, const std::string& label);

}  // namespace portway
