#pragma once
// `rx9100 soak --sim`: measurements, condition writes and remote-measurement runs, one
// after the other for a given time, with faults armed at random in the built-in
// simulator. It counts the outcomes and fails on a hang, a leak, a result that holds
// values the instrument did not send, or an instrument left in remote mode.
#include <optional>

#include "Commands.h"

namespace CLI {
class App;
}
namespace rx9100sim {
class Instrument;
}

namespace cli {

struct SoakOptions {
    double minutes = 10.0;
    std::optional<unsigned> seed;  // none: from the clock (printed, to repeat a run)
    double faultRate = 0.5;        // share of operations with a fault armed
    double rssToleranceMiB = 4.0;  // growth of resident memory after warm-up still accepted
    double hangSeconds = 120.0;    // an operation taking longer is a hang
    bool verbose = false;          // each round and the driver's messages on stderr
};

CLI::App* declareSoakCommand(CLI::App& app, SoakOptions& options);

// instrument: the built-in simulator's (null without --sim, which the soak refuses).
int runSoak(CommandContext& context, const SoakOptions& options, rx9100sim::Instrument* instrument);

}  // namespace cli
