#pragma once
// The simulator's command channel for people: one text command in, one answer out.
#include <string>
#include <string_view>

#include "simulator/Instrument.h"

namespace rx9100sim {

struct ControlResult {
    std::string text;  // answer for the user, may span lines
    bool quit = false;
};

ControlResult runControlCommand(Instrument& instrument, std::string_view line);

extern const char* const kControlHelp;

}  // namespace rx9100sim
