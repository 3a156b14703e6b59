#pragma once
// The studio's one instrument, without any toolkit: the driver's transport (the port in
// the settings store, or the built-in simulator's pseudo-terminal), connecting and
// disconnecting, and the driver's own account of a failure.
#include <memory>
#include <string>

#include "BuiltInSimulator.h"
#include "InstrumentSession.h"
#include "Options.h"

class TavoRX9100;

namespace studio {

// A failed operation as the user reads it: what was done, the driver's status, code and text.
struct Failure {
    std::string action;
    int status = 0;    // 10 refused, -10 transport
    int code = 0;      // the driver's error code
    std::string text;  // the driver's text for the code
    std::string gloss;

    bool linkLost() const;
    // "Connecting: -10 (99) 通信エラー (no reply)"
    std::string describe() const;
};

// What the status bar shows of the instrument.
struct InstrumentSummary {
    bool connected = false;
    std::string identity;  // "RX-9100A 1000001 ROM 1.10 on /dev/pts/3"
    bool whiteCalibrated = false;
    int channel = 0;
    bool remote = false;
};

class InstrumentLink {
  public:
    // options.sim.enabled starts the built-in simulator at once (error() then says why not).
    explicit InstrumentLink(TavoRX9100& driver, const cli::GlobalOptions& options);
    ~InstrumentLink();
    InstrumentLink(const InstrumentLink&) = delete;
    InstrumentLink& operator=(const InstrumentLink&) = delete;

    const std::string& error() const { return error_; }
    TavoRX9100& driver() { return driver_; }

    // Sets up a fresh transport (the simulator's current pty, which changes after a
    // hang-up), connects and reads the conditions. 0 or the failing status.
    int connect();
    // Returns the instrument to local mode and closes the port.
    void disconnect();
    bool connected() const { return connected_; }
    // A link that dropped under an operation: the port is closed without a word to the
    // instrument (nothing would reach it).
    void markLost();
    // After the port settings dialog its choice wins over the command line's port.
    void forgetPortOptions();

    Failure failure(const std::string& action, int status) const;
    InstrumentSummary summary(bool remote) const;
    cli::InstrumentIdentity identity() const;
    std::string portName() const;

    cli::BuiltInSimulator* simulator() { return simulator_.get(); }

  private:
    TavoRX9100& driver_;
    cli::GlobalOptions options_;
    std::unique_ptr<cli::BuiltInSimulator> simulator_;
    std::string error_;
    bool connected_ = false;
};

}  // namespace studio
