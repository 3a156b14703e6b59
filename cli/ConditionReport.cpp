#include "ConditionReport.h"

#include <cmath>
#include <cstdio>

#include "sensor/ConditionCodes.h"

namespace cli {

namespace {

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

nlohmann::json choiceJson(Condition condition, int code, const ConditionNames& names) {
    nlohmann::json out{{"code", code}};
    if (const auto c = names.choice(condition, code)) {
        out["name"] = c->name;
        if (!c->alias.empty()) {
            out["alias"] = c->alias;
        }
    }
    return out;
}

int countOf(const SetupStatus& status) {
    return static_cast<int>(std::trunc(status.getSyncManualParam() + 0.5));
}

}  // namespace

bool isCountSpeed(int speed) {
    using namespace codes::speed;
    return speed == kMulti || speed == kMulti2 || speed == kMultiRom110;
}

std::vector<std::pair<std::string, std::string>> conditionLines(const SetupStatus& status,
                                                                const ConditionNames& names) {
    std::vector<std::pair<std::string, std::string>> lines;
    lines.emplace_back("speed", names.describe(Condition::Speed, status.getSpeed()));
    if (isCountSpeed(status.getSpeed())) {
        lines.emplace_back("count", std::to_string(countOf(status)));
    }
    if (status.getSpeed() == kManualSpeed) {
        lines.emplace_back("integration", fixed(status.getSyncManualDouble(), 6) + " s");
    }
    lines.emplace_back("sync", names.describe(Condition::Sync, status.getSync()));
    if (status.getSync() == kInternalSync) {
        lines.emplace_back("frequency", fixed(status.getSyncInternalParam(), 2) + " Hz");
    }
    lines.emplace_back("lens", names.describe(Condition::Lens, status.getLens()));
    lines.emplace_back("nd", names.describe(Condition::Nd, status.getNd()));
    lines.emplace_back("internal-nd",
                       status.getInsertNd() < 0
                           ? std::string("not available")
                           : names.describe(Condition::InternalNd, status.getInsertNd()));
    lines.emplace_back("angle", names.describe(Condition::Angle, status.getMeasurementArea()));
    return lines;
}

nlohmann::json conditionsJson(const SetupStatus& status, const ConditionNames& names) {
    nlohmann::json out;
    out["speed"] = choiceJson(Condition::Speed, status.getSpeed(), names);
    if (isCountSpeed(status.getSpeed())) {
        out["count"] = countOf(status);
    }
    if (status.getSpeed() == kManualSpeed) {
        out["integration_s"] = status.getSyncManualDouble();
    }
    out["sync"] = choiceJson(Condition::Sync, status.getSync(), names);
    if (status.getSync() == kInternalSync) {
        out["frequency_Hz"] = status.getSyncInternalParam();
    }
    out["lens"] = choiceJson(Condition::Lens, status.getLens(), names);
    out["nd"] = choiceJson(Condition::Nd, status.getNd(), names);
    out["internal_nd"] = status.getInsertNd() < 0
                             ? nlohmann::json(nullptr)
                             : choiceJson(Condition::InternalNd, status.getInsertNd(), names);
    out["angle"] = choiceJson(Condition::Angle, status.getMeasurementArea(), names);
    return out;
}

nlohmann::json conditionsWithChannel(const SetupStatus& status, const ConditionNames& names) {
    nlohmann::json object = conditionsJson(status, names);
    object["channel"] = {{"number", status.getCalibrationCh()},
                         {"mode", status.getCalibrationMode()},
                         {"id", status.getCalibrationId()}};
    return object;
}

}  // namespace cli
