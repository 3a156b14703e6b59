#include "ConditionSettings.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "ConditionReport.h"
#include "sensor/ConditionCodes.h"
#include "sensor/TavoRX9100.h"

namespace cli {

namespace {

constexpr const char* kKeys =
    "speed, integration, count, sync, frequency, lens, nd, internal-nd, channel";

template <typename Number>
bool parseNumber(const std::string& text, Number& out) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, out);
    return error == std::errc() && stop == end && !text.empty();
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

bool resolve(const std::optional<std::string>& text, Condition condition,
             const ConditionNames& names, int& out, std::string& error) {
    if (!text) {
        return true;
    }
    const auto code = names.find(condition, *text);
    if (!code) {
        error = conditionKey(condition) + " \"" + *text +
                "\" is not one of: " + names.allowed(condition);
        return false;
    }
    out = *code;
    return true;
}

// The count speed this instrument offers: the ROM 1.10 one, else the older one.
std::optional<int> countSpeedOf(const ConditionNames& names) {
    using namespace codes::speed;
    for (int speed : {kMultiRom110, kMulti, kMulti2}) {
        if (names.choice(Condition::Speed, speed)) {
            return speed;
        }
    }
    return std::nullopt;
}

int rounded(double value, double scale) {
    return static_cast<int>(std::trunc(value * scale + 0.5));
}

}  // namespace

std::optional<ConditionRequest> parseAssignments(const std::vector<std::string>& items,
                                                 std::string& error) {
    ConditionRequest request;
    for (const std::string& item : items) {
        const auto equals = item.find('=');
        if (equals == std::string::npos || equals == 0 || equals + 1 == item.size()) {
            error = "\"" + item + "\" is not NAME=VALUE (names: " + kKeys + ")";
            return std::nullopt;
        }
        const std::string key = item.substr(0, equals);
        const std::string value = item.substr(equals + 1);
        if (key == "speed") {
            request.speed = value;
        } else if (key == "sync") {
            request.sync = value;
        } else if (key == "lens") {
            request.lens = value;
        } else if (key == "nd") {
            request.nd = value;
        } else if (key == "internal-nd") {
            request.internalNd = value;
        } else if (key == "channel") {
            request.channel = value;
        } else if (key == "count") {
            int count = 0;
            if (!parseNumber(value, count)) {
                error = "count \"" + value + "\" is not a whole number";
                return std::nullopt;
            }
            request.count = count;
        } else if (key == "integration" || key == "frequency") {
            double x = 0;
            if (!parseNumber(value, x)) {
                error = key + " \"" + value + "\" is not a number (use a point as decimal sign)";
                return std::nullopt;
            }
            (key == "integration" ? request.integration : request.frequency) = x;
        } else {
            error = "unknown condition \"" + key + "\" (names: " + kKeys + ")";
            return std::nullopt;
        }
    }
    return request;
}

std::optional<SetupStatus> applyRequest(const ConditionRequest& request, const SetupStatus& current,
                                        const ConditionNames& names, const ConditionLimits& limits,
                                        std::string& error) {
    SetupStatus wanted = current;
    if (request.channel) {
        int channel = -1;
        if (!parseNumber(*request.channel, channel) || channel < 0 || channel > 10) {
            error = "channel \"" + *request.channel + "\" is not a calibration channel 0 to 10";
            return std::nullopt;
        }
        wanted.setCalibrationCh(channel);
    }
    int code = 0;
    if (!resolve(request.speed, Condition::Speed, names, code, error)) {
        return std::nullopt;
    }
    if (request.speed) {
        wanted.setSpeed(code);
    }
    if (request.count) {
        if (*request.count < limits.countMin || *request.count > limits.countMax) {
            error = "count " + std::to_string(*request.count) + " is outside " +
                    std::to_string(limits.countMin) + " to " + std::to_string(limits.countMax);
            return std::nullopt;
        }
        if (!isCountSpeed(wanted.getSpeed())) {
            const auto countSpeed = countSpeedOf(names);
            if (request.speed || !countSpeed) {
                error = "count applies only to the speeds multi and multi2, not to " +
                        names.describe(Condition::Speed, wanted.getSpeed());
                return std::nullopt;
            }
            wanted.setSpeed(*countSpeed);
        }
        wanted.setSyncManualParam(static_cast<float>(*request.count));
    }
    if (request.integration) {
        const double seconds = *request.integration;
        if (!(seconds >= limits.integrationMin && seconds <= limits.integrationMax)) {
            error = "integration " + number(seconds) + " s is outside " +
                    number(limits.integrationMin) + " to " + number(limits.integrationMax) + " s";
            return std::nullopt;
        }
        if (wanted.getSpeed() != kManualSpeed) {
            if (request.speed) {
                error = "integration applies only to the speed manual, not to " +
                        names.describe(Condition::Speed, wanted.getSpeed());
                return std::nullopt;
            }
            wanted.setSpeed(kManualSpeed);
        }
        wanted.setSyncManualDouble(seconds);
    }
    if (!resolve(request.sync, Condition::Sync, names, code, error)) {
        return std::nullopt;
    }
    if (request.sync) {
        wanted.setSync(code);
    }
    if (request.frequency) {
        const double hertz = *request.frequency;
        if (!(hertz >= limits.frequencyMin && hertz <= limits.frequencyMax)) {
            error = "frequency " + number(hertz) + " Hz is outside " + number(limits.frequencyMin) +
                    " to " + number(limits.frequencyMax) + " Hz";
            return std::nullopt;
        }
        if (wanted.getSync() != kInternalSync) {
            if (request.sync) {
                error = "frequency applies only to the sync internal, not to " +
                        names.describe(Condition::Sync, wanted.getSync());
                return std::nullopt;
            }
            wanted.setSync(kInternalSync);
        }
        wanted.setSyncInternalParam(static_cast<float>(hertz));
    }
    if (!resolve(request.lens, Condition::Lens, names, code, error)) {
        return std::nullopt;
    }
    if (request.lens) {
        wanted.setLens(code);
    }
    if (!resolve(request.nd, Condition::Nd, names, code, error)) {
        return std::nullopt;
    }
    if (request.nd) {
        wanted.setNd(code);
    }
    // Before ROM 1.10 the internal ND filter exists only with the manual speed.
    const bool internalNdAvailable =
        limits.firmwareLevel >= 110 || wanted.getSpeed() == kManualSpeed;
    if (!resolve(request.internalNd, Condition::InternalNd, names, code, error)) {
        return std::nullopt;
    }
    if (request.internalNd) {
        if (!internalNdAvailable) {
            error = "internal-nd: this instrument (firmware level " +
                    std::to_string(limits.firmwareLevel) +
                    ") has the internal ND filter only with the speed manual";
            return std::nullopt;
        }
        wanted.setInsertNd(code);
    } else if (internalNdAvailable && wanted.getInsertNd() < 0) {
        wanted.setInsertNd(0);  // the speed command then carries the filter: off
    }
    return wanted;
}

std::vector<std::string> compareConditions(const SetupStatus& wanted, const SetupStatus& got,
                                           const ConditionNames& names) {
    std::vector<std::string> differences;
    auto differ = [&](const std::string& what, const std::string& asked, const std::string& kept) {
        differences.push_back(what + ": asked for " + asked + ", the instrument has " + kept);
    };
    auto compareCode = [&](Condition condition, int asked, int kept) {
        if (asked != kept) {
            differ(conditionKey(condition), names.describe(condition, asked),
                   names.describe(condition, kept));
        }
    };
    compareCode(Condition::Speed, wanted.getSpeed(), got.getSpeed());
    if (isCountSpeed(wanted.getSpeed()) &&
        rounded(wanted.getSyncManualParam(), 1) != rounded(got.getSyncManualParam(), 1)) {
        differ("count", number(wanted.getSyncManualParam()), number(got.getSyncManualParam()));
    }
    if (wanted.getSpeed() == kManualSpeed &&
        rounded(wanted.getSyncManualDouble(), 1e6) != rounded(got.getSyncManualDouble(), 1e6)) {
        differ("integration", number(wanted.getSyncManualDouble()) + " s",
               number(got.getSyncManualDouble()) + " s");
    }
    compareCode(Condition::Sync, wanted.getSync(), got.getSync());
    if (wanted.getSync() == kInternalSync &&
        rounded(wanted.getSyncInternalParam(), 100) != rounded(got.getSyncInternalParam(), 100)) {
        differ("frequency", number(wanted.getSyncInternalParam()) + " Hz",
               number(got.getSyncInternalParam()) + " Hz");
    }
    if (wanted.getCalibrationCh() != got.getCalibrationCh()) {
        differ("channel", std::to_string(wanted.getCalibrationCh()),
               std::to_string(got.getCalibrationCh()));
    }
    compareCode(Condition::Lens, wanted.getLens(), got.getLens());
    compareCode(Condition::Nd, wanted.getNd(), got.getNd());
    if (wanted.getInsertNd() >= 0) {
        compareCode(Condition::InternalNd, wanted.getInsertNd(), got.getInsertNd());
    }
    return differences;
}

ConditionLimits limitsOf(TavoRX9100& driver) {
    const SetupCapability& caps = *driver.getSetupCapability();
    ConditionLimits limits;
    limits.countMin = static_cast<int>(caps.getSyncManualMin());
    limits.countMax = static_cast<int>(caps.getSyncManualMax());
    if (caps.getSyncInternalMax() > caps.getSyncInternalMin()) {
        limits.frequencyMin = caps.getSyncInternalMin();
        limits.frequencyMax = caps.getSyncInternalMax();
    }
    limits.firmwareLevel = driver.getFirmwareLevel();
    return limits;
}

}  // namespace cli
