#include "portway/PortName.h"

#include <cctype>

#include "outside/PortSettings.h"
#include "outside/PortwayEx.h"

namespace portway {

namespace {

bool startsWithNoCase(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) {
            return false;
        }
    }
    return true;
}

// n of "COMn" (n >= 1), or 0 when the name is not of that form.
int comNumber(const std::string& name) {
    if (!startsWithNoCase(name, "com") || name.size() == 3 || name.size() > 6) {
        return 0;
    }
    int n = 0;
    for (std::size_t i = 3; i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) {
            return 0;
        }
        n = n * 10 + (name[i] - '0');
    }
    return n;
}

Endpoint tcpEndpoint(const std::string& name) {
    const std::string rest = name.substr(4);
    Endpoint endpoint;
    endpoint.kind = Endpoint::Kind::Tcp;
    std::size_t colon = std::string::npos;
    if (!rest.empty() && rest.front() == '[') {
        const auto close = rest.find(']');
        if (close != std::string::npos && close + 1 < rest.size() && rest[close + 1] == ':') {
            endpoint.host = rest.substr(1, close - 1);
            colon = close + 1;
        }
    } else {
        colon = rest.rfind(':');
        if (colon != std::string::npos) {
            endpoint.host = rest.substr(0, colon);
        }
    }
    if (colon != std::string::npos) {
        endpoint.service = rest.substr(colon + 1);
    }
    if (endpoint.host.empty() || endpoint.service.empty()) {
        throw SerialPortException(name + ": expected tcp:HOST:PORT");
    }
    return endpoint;
}

}  // namespace

Endpoint resolvePortName(const std::string& name, int method) {
    if (name.empty()) {
        throw SerialPortException("no port name set");
    }
    if (startsWithNoCase(name, "tcp:")) {
        return tcpEndpoint(name);
    }
    Endpoint endpoint;
    if (const int n = comNumber(name); n >= 1) {
        endpoint.device =
            (method == comm::kRs232c ? "/dev/ttyS" : "/dev/ttyACM") + std::to_string(n - 1);
    } else {
        endpoint.device = name;
    }
    return endpoint;
}

bool isUsablePortName(const std::string& name) {
    try {
        resolvePortName(name, comm::kUsbCdc);
        return true;
    } catch (const SerialPortException&) {
        return false;
    }
}

}  // namespace portway
