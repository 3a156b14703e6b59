#pragma once
// One connection to the instrument for the lifetime of a command: the driver's
// transport set up from the options, connect and read the conditions, and on
// every way out (errors and Ctrl-C included) disconnect, which returns the
// instrument to local mode.
#include <cstdio>
#include <functional>
#include <string>

#include "Options.h"
#include "sensor/TavoRX9100.h"

namespace cli {

class TracingConnection;

struct InstrumentIdentity {
    std::string name;
    std::string variation;
    std::string bodyNumber;
    std::string romVersion;
    int firmwareLevel = 0;
    std::string port;
};

class InstrumentSession {
  public:
    // portOverride replaces the settings' port when not empty (the simulator's pty).
    InstrumentSession(TavoRX9100& driver, const GlobalOptions& options, std::FILE* trace,
                      const std::string& portOverride);
    ~InstrumentSession();
    InstrumentSession(const InstrumentSession&) = delete;
    InstrumentSession& operator=(const InstrumentSession&) = delete;

    // connect() and checkSetupStatus(); on failure reports it and returns the exit code. A
    // stop requested meanwhile ends it early with a non-zero code (the program exits with
    // the stop's own code).
    int open();

    TavoRX9100& driver() { return driver_; }
    std::string portName() const;
    std::string lastTransportError() const;
    // Exchanges that failed one after the other, on any thread; 0 after a reply.
    int transportFailuresInARow() const;
    InstrumentIdentity identity() const;

    // See TracingConnection::setSendGate.
    void setSendGate(std::function<bool()> gate);

    // Reports a failed operation (status non-zero) and returns its exit code.
    int fail(const std::string& action, int status);

  private:
    // After a transport failure: the programs that hold or read the same port, if any.
    void explainPortConflict() const;

    TavoRX9100& driver_;
    TracingConnection* link_ = nullptr;  // owned by the driver
    bool connected_ = false;
};

}  // namespace cli
