#pragma once
// The faults the soak arms in the simulated instrument: every kind it knows, at a command
// of the operation about to run (or at any command), mostly at its first occurrence.
#include <random>
#include <string>
#include <vector>

namespace cli::soak {

enum class Operation { Measure, Conditions, Remote };

const char* operationName(Operation operation);

// The command lines an operation sends, connection and disconnection included, as
// prefixes a fault can match.
const std::vector<std::string>& commandsOf(Operation operation);

// Every fault action with the arguments worth trying ("error:00", "silent", "nan:57", ...).
const std::vector<std::string>& faultActions();

// A fault description for the simulator ("MEDR,1,1,3:nan:57").
std::string randomFault(Operation operation, std::mt19937& random);

}  // namespace cli::soak
