#pragma once
// The transport library the driver talks through. The driver creates one
// SerialPort and uses it only through the HostConnection operations.
#include <memory>
#include <stdexcept>
#include <string>

#include "outside/WindowHandle.h"

class SerialPortException : public std::runtime_error {
  public:
    explicit SerialPortException(const std::string& message) : std::runtime_error(message) {}
};

class HostConnection {
  public:
    virtual ~HostConnection() = default;
    // The library's port settings dialog; non-zero when the user accepted new settings.
    virtual int setupPort(platform::WindowHandle window, int arg) = 0;
    virtual void open() = 0;   // throws SerialPortException
    virtual void close() = 0;  // throws SerialPortException
    virtual bool isOpen() = 0;
    // Wait limit in seconds for the next complete reply line.
    virtual void setTimeout(int seconds) = 0;
    virtual int getTimeout() = 0;
    // Sends length bytes of text (the CR LF included).
    virtual void sendString(const char* text, int length) = 0;
    // The next reply line without its CR LF; throws when none arrives in time.
    virtual void recvString(std::string& line) = 0;
    // Makes a receive waiting in another thread give up; isCanceled() turns true.
    virtual void cancel() = 0;
};

class UnivSerialBus : public HostConnection {
  public:
    // Communication kinds: 1 USB, 2 RS-232C, 3 USB(CDC).
    virtual bool isCanceled() = 0;
};

class SerialPort : public UnivSerialBus {
  public:
    // (showErrors, ownsDialog): kept for the construction the driver performs;
    // this implementation reports through exceptions only.
    SerialPort(bool showErrors, bool ownsDialog);
    ~SerialPort() override;

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

    // What the settings dialog offers.
    void setAvailableMethod(int method);
    void setAvailableBaudRate(int baud);
    void setAvailableByteSize(int bits);
    void setAvailableParity(int parity);
    void setAvailableStopBits(int stopBits);

    void setMethod(int method);
    void setPortName(const std::string& name);
    void setBaudRate(int baud);
    void setByteSize(int bits);
    void setParity(int parity);
    void setStopBits(int stopBits);
    int getMethod() const;
    std::string getPortName() const;
    int getBaudRate() const;
    int getByteSize() const;
    int getParity() const;
    int getStopBits() const;

    struct Impl;

  private:
    std::unique_ptr<Impl> impl_;
};
