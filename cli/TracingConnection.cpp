#include "TracingConnection.h"

#include <chrono>
#include <ctime>

namespace cli {

namespace {

// Local time of day with microseconds: the lines of one run are close together.
std::string timestamp() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto micros = duration_cast<microseconds>(now.time_since_epoch()).count() % 1000000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%06lld", local.tm_hour, local.tm_min,
                  local.tm_sec, static_cast<long long>(micros));
    return text;
}

}  // namespace

std::string printableLine(std::string_view bytes) {
    while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r')) {
        bytes.remove_suffix(1);
    }
    std::string out;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out;
}

TracingConnection::TracingConnection(std::unique_ptr<SerialPort> port, std::FILE* trace)
    : port_(std::move(port)), trace_(trace) {}

int TracingConnection::setupPort(platform::WindowHandle window, int arg) {
    return port_->setupPort(window, arg);
}

void TracingConnection::open() {
    try {
        port_->open();
        log("open", port_->getPortName());
    } catch (const SerialPortException& e) {
        failed(e);
        throw;
    }
}

void TracingConnection::close() {
    try {
        port_->close();
        log("close", port_->getPortName());
    } catch (const SerialPortException& e) {
        failed(e);
        throw;
    }
}

bool TracingConnection::isOpen() {
    return port_->isOpen();
}

void TracingConnection::setTimeout(int seconds) {
    port_->setTimeout(seconds);
}

int TracingConnection::getTimeout() {
    return port_->getTimeout();
}

void TracingConnection::setSendGate(std::function<bool()> gate) {
    sendGate_ = std::move(gate);
    gateClosed_ = false;
}

void TracingConnection::sendString(const char* text, int length) {
    if (sendGate_ && !sendGate_()) {
        gateClosed_ = true;
        throw SerialPortException("stopped before sending");
    }
    log(">", std::string_view(text, static_cast<std::size_t>(length > 0 ? length : 0)));
    try {
        port_->sendString(text, length);
    } catch (const SerialPortException& e) {
        failed(e);
        throw;
    }
}

void TracingConnection::recvString(std::string& line) {
    try {
        port_->recvString(line);
    } catch (const SerialPortException& e) {
        failed(e);
        throw;
    }
    consecutiveFailures_ = 0;
    log("<", line);
}

void TracingConnection::cancel() {
    log("cancel", "");
    port_->cancel();
}

bool TracingConnection::isCanceled() {
    return gateClosed_ || port_->isCanceled();
}

std::string TracingConnection::lastError() const {
    std::lock_guard lock(mutex_);
    return lastError_;
}

void TracingConnection::failed(const SerialPortException& e) {
    if (!port_->isCanceled()) {
        ++consecutiveFailures_;
    }
    {
        std::lock_guard lock(mutex_);
        lastError_ = e.what();
    }
    log("!", e.what());
}

void TracingConnection::log(std::string_view marker, std::string_view text) {
    if (trace_ == nullptr) {
        return;
    }
    const std::string line = timestamp() + " " + std::string(marker) + " " + printableLine(text);
    std::lock_guard lock(mutex_);
    std::fprintf(trace_, "%s\n", line.c_str());
    std::fflush(trace_);
}

}  // namespace cli
