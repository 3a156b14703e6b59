// SerialPort: the transport the driver creates. It owns at most one open link
// and the cancel signal; settings are plain values applied at the next open().
//
// Cancel: cancel() raises a request that stays up, so isCanceled() is true and
// every recvString() throws at once, until the next sendString() starts a new
// exchange. The driver's receive thread checks isCanceled() at the top of each
// pass, before it sends anything, so the pass loop ends reliably; a later
// remote session (or any other exchange) begins with a send and runs normally.
#include <algorithm>
#include <array>
#include <optional>

#include "Link.h"
#include "OpenPort.h"
#include "outside/PortwayEx.h"
#include "portway/PortName.h"
#include "portway/PortSettingsPrompt.h"

using portway::Clock;

namespace {

constexpr std::array kStandardBaudRates{1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

// "COM1 (/dev/ttyACM0)" when the name was translated, else the name.
std::string labelFor(const std::string& name, const portway::Endpoint& endpoint) {
    if (endpoint.kind == portway::Endpoint::Kind::Device && endpoint.device != name) {
        return name + " (" + endpoint.device + ")";
    }
    return name;
}

}  // namespace

struct SerialPort::Impl {
    portway::PortSettings settings;
    // What the settings prompt offers: methods up to availableMethod, standard
    // baud rates up to availableBaudRate, the single given line format.
    portway::PortSettings available;
    int timeoutSeconds = 1;
    portway::CancelSignal cancel;
    std::optional<portway::Link> link;

    portway::Link& openLink() {
        if (!link) {
            throw SerialPortException(settings.portName + ": port is not open");
        }
        return *link;
    }

    // A lost connection closes the port so the next exchange opens it again.
    template <typename Operation>
    auto guarded(Operation operation) {
        try {
            return operation(openLink());
        } catch (const portway::LinkLost&) {
            link.reset();
            throw;
        }
    }

    // The wait for a reply line; sending gets at least a second, since a zero
    // timeout must not fail a write the line takes a moment to accept.
    Clock::time_point deadline(int minimumSeconds = 0) const {
        return Clock::now() + std::chrono::seconds(std::max(timeoutSeconds, minimumSeconds));
    }

    portway::PortChoices choices() const {
        portway::PortChoices c;
        c.ports = portway::listPorts();
        for (int method : {comm::kRs232c, comm::kUsbCdc}) {
            if (method <= available.method) {
                c.methods.push_back(method);
            }
        }
        for (int baud : kStandardBaudRates) {
            if (baud <= available.baudRate) {
                c.baudRates.push_back(baud);
            }
        }
        c.byteSizes = {available.byteSize};
        c.parities = {available.parity};
        c.stopBits = {available.stopBits};
        return c;
    }
};

SerialPort::SerialPort(bool, bool) : impl_(std::make_unique<Impl>()) {}

SerialPort::~SerialPort() = default;

// The argument is not used by this dialog.
int SerialPort::setupPort(platform::WindowHandle window, int) {
    const auto answer =
        portway::portSettingsPrompt()->ask(window, impl_->choices(), impl_->settings);
    if (!answer) {
        return 0;
    }
    impl_->settings = *answer;
    return 1;
}

void SerialPort::open() {
    impl_->link.reset();
    const auto& settings = impl_->settings;
    const auto endpoint = portway::resolvePortName(settings.portName, settings.method);
    const auto label = labelFor(settings.portName, endpoint);
    if (endpoint.kind == portway::Endpoint::Kind::Tcp) {
        impl_->link.emplace(portway::connectTcp(endpoint, label));
    } else {
        impl_->link.emplace(portway::openDevice(endpoint.device, label, settings));
    }
}

void SerialPort::close() {
    impl_->link.reset();
}

// A hang-up shows here once an operation has run into it.
bool SerialPort::isOpen() {
    return impl_->link.has_value();
}

void SerialPort::setTimeout(int seconds) {
    impl_->timeoutSeconds = seconds;
}

int SerialPort::getTimeout() {
    return impl_->timeoutSeconds;
}

void SerialPort::sendString(const char* text, int length) {
    if (length < 0 || (text == nullptr && length > 0)) {
        throw SerialPortException(impl_->settings.portName + ": nothing to send");
    }
    impl_->guarded([&](portway::Link& link) {
        impl_->cancel.clear();
        link.discardInput();
        link.send({text, static_cast<std::size_t>(length)}, impl_->deadline(1));
    });
}

void SerialPort::recvString(std::string& line) {
    line = impl_->guarded(
        [&](portway::Link& link) { return link.receiveLine(impl_->deadline(), impl_->cancel); });
}

void SerialPort::cancel() {
    impl_->cancel.raise();
}

bool SerialPort::isCanceled() {
    return impl_->cancel.raised();
}

void SerialPort::setAvailableMethod(int method) {
    impl_->available.method = method;
}
void SerialPort::setAvailableBaudRate(int baud) {
    impl_->available.baudRate = baud;
}
void SerialPort::setAvailableByteSize(int bits) {
    impl_->available.byteSize = bits;
}
void SerialPort::setAvailableParity(int parity) {
    impl_->available.parity = parity;
}
void SerialPort::setAvailableStopBits(int stopBits) {
    impl_->available.stopBits = stopBits;
}

void SerialPort::setMethod(int method) {
    impl_->settings.method = method;
}
void SerialPort::setPortName(const std::string& name) {
    impl_->settings.portName = name;
}
void SerialPort::setBaudRate(int baud) {
    impl_->settings.baudRate = baud;
}
void SerialPort::setByteSize(int bits) {
    impl_->settings.byteSize = bits;
}
void SerialPort::setParity(int parity) {
    impl_->settings.parity = parity;
}
void SerialPort::setStopBits(int stopBits) {
    impl_->settings.stopBits = stopBits;
}

int SerialPort::getMethod() const {
    return impl_->settings.method;
}
std::string SerialPort::getPortName() const {
    return impl_->settings.portName;
}
int SerialPort::getBaudRate() const {
    return impl_->settings.baudRate;
}
int SerialPort::getByteSize() const {
    return impl_->settings.byteSize;
}
int SerialPort::getParity() const {
    return impl_->settings.parity;
}
int SerialPort::getStopBits() const {
    return impl_->settings.stopBits;
}
