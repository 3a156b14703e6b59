#pragma once
// The measuring conditions of the driver or of a measurement, for people and for JSON.
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "ConditionNames.h"
#include "sensor/SetupStatus.h"

namespace cli {

inline constexpr int kManualSpeed = 7;  // integration time set by hand
inline constexpr int kInternalSync = 3;
bool isCountSpeed(int speed);

// Label and value per line: speed, count or integration, sync and its frequency,
// lens, nd, internal-nd, angle.
std::vector<std::pair<std::string, std::string>> conditionLines(const SetupStatus& status,
                                                                const ConditionNames& names);

nlohmann::json conditionsJson(const SetupStatus& status, const ConditionNames& names);
// The same with the active calibration channel (number, mode, ID), as `rx9100 conditions`
// prints them.
nlohmann::json conditionsWithChannel(const SetupStatus& status, const ConditionNames& names);

}  // namespace cli
