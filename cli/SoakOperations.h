#pragma once
// One round of the soak: connect, one operation (a measurement, a condition write, a
// remote-measurement run), disconnect. Each round says how it ended and what it found
// wrong; a fault armed for it is what made it fail, unless it found something.
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "Options.h"
#include "SoakFaults.h"

class TavoRX9100;
namespace rx9100sim {
class Instrument;
}

namespace cli::soak {

struct SoakLine {
    TavoRX9100& driver;
    const GlobalOptions& global;
    std::FILE* trace;
    std::string port;  // the link that follows the simulator's pty across hang-ups
    rx9100sim::Instrument& instrument;
    std::mt19937& random;
};

struct RoundResult {
    std::string outcome;                // "ok", "refused", "no link", "lost 1 of 2", ...
    std::vector<std::string> findings;  // faults of the driver or the host the round revealed
};

RoundResult runRound(Operation operation, SoakLine& line);

}  // namespace cli::soak
