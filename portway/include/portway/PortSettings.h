#pragma once
// The line settings a SerialPort holds, in the codes the driver uses.
#include <string>

namespace portway {

struct PortSettings {
    int method = 3;  // 1 USB, 2 RS-232C, 3 USB(CDC)
    std::string portName = "COM1";
    int baudRate = 38400;
    int byteSize = 8;
    int parity = 0;    // 0 none, 1 odd, 2 even, 3 mark, 4 space
    int stopBits = 0;  // 0 one, 1 one and a half, 2 two

    bool operator==(const PortSettings&) const = default;
};

// Text used for a method code in listings ("RS-232C", "USB(CDC)", "USB").
std::string methodName(int method);

}  // namespace portway
