#include "SoakFaults.h"

namespace cli::soak {

namespace {

const std::vector<std::string> kConnect = {"RMTS,1", "IDDR", "VERR", "_jig", "SPMR",
                                           "SCMR",   "LNSR", "NDFR", "STSR", "RMTS,0"};

std::vector<std::string> withConnect(std::vector<std::string> commands) {
    commands.insert(commands.begin(), kConnect.begin(), kConnect.end());
    return commands;
}

template <typename T>
const T& pick(const std::vector<T>& items, std::mt19937& random) {
    return items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(random)];
}

}  // namespace

const char* operationName(Operation operation) {
    switch (operation) {
        case Operation::Measure:
            return "measure";
        case Operation::Conditions:
            return "conditions";
        case Operation::Remote:
            return "remote";
    }
    return "?";
}

const std::vector<std::string>& commandsOf(Operation operation) {
    static const std::vector<std::string> measure =
        withConnect({"MEAS,1", "MEAS,0", "MEDR,0,0,001", "MEDR,1,1,1", "MEDR,1,1,2", "MEDR,1,1,3",
                     "MEDR,1,1,4"});
    static const std::vector<std::string> conditions =
        withConnect({"SPMS", "SCMS", "LNSS", "NDFS", "SPMR", "SCMR"});
    static const std::vector<std::string> remote =
        withConnect({"MSWE,1", "MSWE,0", "MEDR,0,0,001", "MEDR,1,1,1", "MEDR,1,1,4", "MEAS,0"});
    switch (operation) {
        case Operation::Measure:
            return measure;
        case Operation::Conditions:
            return conditions;
        case Operation::Remote:
            return remote;
    }
    return measure;
}

const std::vector<std::string>& faultActions() {
    static const std::vector<std::string> actions = {
        "error:00",     "error:01", "error:02", "error:05",   "error:10", "error:20",
        "leave-remote", "silent",   "stray",    "stray:OK00", "garbage",  "garbage:\\xFF~",
        "nan",          "nan:57",   "inf:400",  "hangup",     "slow:1500"};
    return actions;
}

std::string randomFault(Operation operation, std::mt19937& random) {
    const std::vector<std::string>& commands = commandsOf(operation);
    // One in eight at any command, so that lines the driver sends unasked are hit too.
    const bool anyCommand = std::uniform_int_distribution<int>(0, 7)(random) == 0;
    std::string prefix = anyCommand ? "*" : pick(commands, random);
    if (std::uniform_int_distribution<int>(0, 3)(random) == 0) {
        prefix += '#';
        prefix += std::to_string(std::uniform_int_distribution<int>(2, 3)(random));
    }
    return prefix + ":" + pick(faultActions(), random);
}

}  // namespace cli::soak
