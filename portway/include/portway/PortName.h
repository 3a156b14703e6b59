#pragma once
// How a port name from the settings becomes something Linux can open.
#include <string>

namespace portway {

// A local serial device node, or a raw TCP serial server (ser2net and alike).
struct Endpoint {
    enum class Kind { Device, Tcp };
    Kind kind = Kind::Device;
    std::string device;   // Device: the node to open
    std::string host;     // Tcp: host name or address (IPv6 without brackets)
    std::string service;  // Tcp: port number
};

// Port names are used as follows:
//  - "tcp:HOST:PORT" (IPv6 as "tcp:[::1]:PORT") reaches a raw TCP serial server;
//  - "COMn" (any case, n >= 1) is the Windows name the settings keep; it maps to
//    /dev/ttyS(n-1) for RS-232C (method 2) and to /dev/ttyACM(n-1) for the USB
//    methods, so the default "COM1" finds the first USB(CDC) instrument;
//  - anything else is a device path used as it stands (/dev/ttyUSB0,
//    /dev/serial/by-id/...).
// Throws SerialPortException for an empty name or a malformed tcp: name.
Endpoint resolvePortName(const std::string& name, int method);

}  // namespace portway
