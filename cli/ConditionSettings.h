#pragma once
// `conditions --set NAME=VALUE ...`: what was asked for, checked in two steps:
// the syntax before connecting, the values against the connected instrument's lists.
#include <optional>
#include <string>
#include <vector>

#include "ConditionNames.h"
#include "sensor/SetupStatus.h"

class TavoRX9100;

namespace cli {

struct ConditionRequest {
    std::optional<std::string> speed;
    std::optional<std::string> sync;
    std::optional<std::string> lens;
    std::optional<std::string> nd;
    std::optional<std::string> internalNd;
    std::optional<int> count;
    std::optional<double> integration;  // seconds
    std::optional<double> frequency;    // Hz
    std::optional<std::string> channel;
};

// NAME=VALUE items; on failure returns nothing and fills error.
std::optional<ConditionRequest> parseAssignments(const std::vector<std::string>& items,
                                                 std::string& error);

struct ConditionLimits {
    int countMin = 1;
    int countMax = 16;
    double integrationMin = 0.005;
    double integrationMax = 120.0;
    double frequencyMin = 20.0;
    double frequencyMax = 200.0;
    int firmwareLevel = 0;
};

// The ranges of the connected instrument.
ConditionLimits limitsOf(TavoRX9100& driver);

// The conditions to write: `current` changed as requested. A speed, sync or
// internal ND that the request implies (count needs a multi speed, integration
// the manual speed, frequency internal sync) is chosen when not given.
std::optional<SetupStatus> applyRequest(const ConditionRequest& request, const SetupStatus& current,
                                        const ConditionNames& names, const ConditionLimits& limits,
                                        std::string& error);

// What the instrument kept differently from what was written, one text per condition.
std::vector<std::string> compareConditions(const SetupStatus& wanted, const SetupStatus& got,
                                           const ConditionNames& names);

}  // namespace cli
