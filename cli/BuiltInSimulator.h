#pragma once
// The simulated instrument inside the process, served on a pseudo-terminal so that
// the driver reaches it through its ordinary serial transport.
#include <memory>
#include <string>

#include "Options.h"
#include "simulator/Instrument.h"
#include "simulator/PtyServer.h"

namespace cli {

class BuiltInSimulator {
  public:
    BuiltInSimulator() = default;
    ~BuiltInSimulator();
    BuiltInSimulator(const BuiltInSimulator&) = delete;
    BuiltInSimulator& operator=(const BuiltInSimulator&) = delete;

    // Applies the options and opens the pty; returns an error text, empty on success.
    std::string start(const SimulatorOptions& options);
    std::string portPath() const;
    rx9100sim::Instrument& instrument() { return instrument_; }

  private:
    rx9100sim::Instrument instrument_;
    std::unique_ptr<rx9100sim::PtyServer> server_;  // destroyed before the instrument
};

}  // namespace cli
