#pragma once
// The serial ports present on this machine, for the settings prompt and the CLI.
#include <optional>
#include <string>
#include <vector>

namespace portway {

struct PortInfo {
    std::string device;       // e.g. /dev/ttyACM0
    std::string description;  // what the system knows about it, may be empty
    bool usb = false;
    std::optional<int> vendorId;   // USB vendor id when known
    std::optional<int> productId;  // USB product id when known
};

// Enumerated through libserialport; empty when enumeration fails.
std::vector<PortInfo> listPorts();

// "/dev/ttyACM0  RX-9100 (USB 1A86:7523)": one line for listings.
std::string describePort(const PortInfo& port);

}  // namespace portway
