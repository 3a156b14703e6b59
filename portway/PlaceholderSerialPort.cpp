// A transport that keeps its settings but cannot open a port yet.
#include "outside/PortwayEx.h"

struct SerialPort::Impl {
    int method = 3, baud = 38400, byteSize = 8, parity = 0, stopBits = 0, timeout = 1;
    std::string port = "COM1";
    bool canceled = false;
};

SerialPort::SerialPort(bool, bool) : impl_(std::make_unique<Impl>()) {}
SerialPort::~SerialPort() = default;
int SerialPort::setupPort(platform::WindowHandle, int) { return 0; }
void SerialPort::open() { throw SerialPortException("no transport for " + impl_->port); }
void SerialPort::close() {}
bool SerialPort::isOpen() { return false; }
void SerialPort::setTimeout(int seconds) { impl_->timeout = seconds; }
int SerialPort::getTimeout() { return impl_->timeout; }
void SerialPort::sendString(const char*, int) { throw SerialPortException("port closed"); }
void SerialPort::recvString(std::string&) { throw SerialPortException("port closed"); }
void SerialPort::cancel() { impl_->canceled = true; }
bool SerialPort::isCanceled() { return impl_->canceled; }
void SerialPort::setAvailableMethod(int) {}
void SerialPort::setAvailableBaudRate(int) {}
void SerialPort::setAvailableByteSize(int) {}
void SerialPort::setAvailableParity(int) {}
void SerialPort::setAvailableStopBits(int) {}
void SerialPort::setMethod(int v) { impl_->method = v; }
void SerialPort::setPortName(const std::string& v) { impl_->port = v; }
void SerialPort::setBaudRate(int v) { impl_->baud = v; }
void SerialPort::setByteSize(int v) { impl_->byteSize = v; }
void SerialPort::setParity(int v) { impl_->parity = v; }
void SerialPort::setStopBits(int v) { impl_->stopBits = v; }
int SerialPort::getMethod() const { return impl_->method; }
std::string SerialPort::getPortName() const { return impl_->port; }
int SerialPort::getBaudRate() const { return impl_->baud; }
int SerialPort::getByteSize() const { return impl_->byteSize; }
int SerialPort::getParity() const { return impl_->parity; }
int SerialPort::getStopBits() const { return impl_->stopBits; }
