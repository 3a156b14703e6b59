#pragma once
// Who else has the instrument's port open. The transport refuses a port another program
// has locked, and a program that only reads it takes the instrument's replies away; either
// way the user needs to know which program that is. Linux tells through /proc, for the
// processes the user may look at.
#include <string>
#include <vector>

namespace cli {

// "cat (process 1234)" for every other process with the device open; empty when there is
// none the system shows, or the port is not a local device (tcp:, a missing node).
std::vector<std::string> otherPortHolders(const std::string& portName, int method);

}  // namespace cli
