#pragma once
// The transport's port settings and the prompt behind SerialPort::setupPort. The prompt
// is replaceable so that the driver's port settings dialog can take over from the
// transport's console version.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "outside/CommunicationMethod.h"
#include "outside/WindowHandle.h"

namespace portway {

// The line settings a SerialPort holds, in the codes the driver uses.
struct PortSettings {
    int method = comm::kUsbCdc;
    std::string portName = "COM1";
    int baudRate = 38400;
    int byteSize = 8;
    int parity = 0;    // 0 none, 1 odd, 2 even, 3 mark, 4 space
    int stopBits = 0;  // 0 one, 1 one and a half, 2 two

    bool operator==(const PortSettings&) const = default;
};

// A serial port present on this machine.
struct PortInfo {
    std::string device;       // e.g. /dev/ttyACM0
    std::string description;  // what the system knows about it, may be empty
    bool usb = false;
    std::optional<int> vendorId;   // USB vendor id when known
    std::optional<int> productId;  // USB product id when known
};

// The ports present, by device name; empty when they cannot be listed.
std::vector<PortInfo> listPorts();

// "/dev/ttyACM0  RX-9100 (USB 1A86:7523)": one line for listings.
std::string describePort(const PortInfo& port);

// Whether a port name is one the transport can try to open: a device path, "COMn" or a
// well-formed "tcp:HOST:PORT".
bool isUsablePortName(const std::string& name);

// What the prompt may offer.
struct PortChoices {
    std::vector<PortInfo> ports;
    std::vector<int> methods;
    std::vector<int> baudRates;
    std::vector<int> byteSizes;
    std::vector<int> parities;
    std::vector<int> stopBits;
};

class PortSettingsPrompt {
  public:
    virtual ~PortSettingsPrompt() = default;
    // The accepted settings, or nothing when the user cancelled.
    virtual std::optional<PortSettings> ask(platform::WindowHandle owner,
                                            const PortChoices& choices,
                                            const PortSettings& current) = 0;
};

// The prompt every SerialPort uses from now on; null restores the console prompt.
void setPortSettingsPrompt(std::shared_ptr<PortSettingsPrompt> prompt);
std::shared_ptr<PortSettingsPrompt> portSettingsPrompt();

}  // namespace portway
