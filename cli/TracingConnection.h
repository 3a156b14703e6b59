#pragma once
// The driver's transport with a window on it: it hands every call to the real
// serial port, remembers the transport's last error text (the driver keeps only a
// code) and, when asked, logs each command line and reply with a timestamp.
#include <atomic>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "outside/PortwayEx.h"

namespace cli {

class TracingConnection : public UnivSerialBus {
  public:
    // trace may be null: then nothing is logged.
    TracingConnection(std::unique_ptr<SerialPort> port, std::FILE* trace);

    int setupPort(platform::WindowHandle window, int arg) override;
    void open() override;
    void close() override;
    bool isOpen() override;
    void setTimeout(int seconds) override;
    int getTimeout() override;
    void sendString(const char* text, int length) override;
    void recvString(std::string& line) override;
    void cancel() override;
    bool isCanceled() override;

    // Asked before every command line goes out; false keeps the line from being sent and
    // the exchange ends as a cancelled one (the instrument is not taken for lost), so a long
    // sequence of exchanges ends at its next command. Null: every line goes out. Set it
    // only between exchanges.
    void setSendGate(std::function<bool()> gate);

    SerialPort& port() { return *port_; }
    std::string lastError() const;
    // Failed exchanges since the last reply (a cancelled receive does not count).
    int consecutiveFailures() const { return consecutiveFailures_; }

  private:
    void log(std::string_view marker, std::string_view text);
    void failed(const SerialPortException& e);

    std::unique_ptr<SerialPort> port_;
    std::FILE* trace_;
    mutable std::mutex mutex_;  // the host and the receive thread both exchange
    std::string lastError_;
    std::atomic<int> consecutiveFailures_{0};
    std::function<bool()> sendGate_;
    std::atomic<bool> gateClosed_{false};  // the gate refused a line: read as cancelled
};

// "RMTS,1\r\n" shown as RMTS,1; other control bytes as \xHH.
std::string printableLine(std::string_view bytes);

}  // namespace cli
