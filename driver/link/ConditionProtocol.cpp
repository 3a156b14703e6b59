#include "link/ConditionProtocol.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "link/ReplyFields.h"
#include "platform/Numbers.h"

namespace protocol {

namespace {

namespace speed = codes::speed;

int field(const ReplyFields& fields, int n) {
    return platform::cAtoi(fields.field(n));
}

std::string format(const char* pattern, int value) {
    char text[32];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string line(const std::string& body) {
    return body + "\r\n";
}

}  // namespace

SpeedReading parseSpeed(const std::string& reply, int firmwareLevel) {
    const ReplyFields fields(reply);
    const bool rom110 = codes::hasRom110Layout(firmwareLevel);
    SpeedReading reading;
    const auto code = codes::kSpeedWire.code(field(fields, 2), firmwareLevel);
    if (!code) {
        return reading;  // a mode the driver does not know reads as the normal speed
    }
    reading.speed = *code;
    switch (*code) {
        case speed::kNormal:
        case speed::kFast:
            reading.insertNd = rom110 ? field(fields, 3) : codes::insertnd::kAbsent;
            break;
        case speed::kMulti:
        case speed::kMultiRom110:
            reading.count = static_cast<float>(field(fields, 3));
            reading.insertNd = rom110 ? field(fields, 4) : codes::insertnd::kAbsent;
            break;
        case speed::kManual:
            // Whole microseconds: no locale can disturb them.
            reading.integrationSeconds = platform::cAtof(fields.field(3)) * 1e-6;
            reading.insertNd = field(fields, 4);
            break;
        case speed::kMulti2:
            reading.count = static_cast<float>(field(fields, 3));
            reading.insertNd = field(fields, 4);
            break;
    }
    return reading;
}

std::optional<std::string> speedCommand(const SetupStatus& status, int firmwareLevel) {
    const auto mode = codes::kSpeedWire.wire(status.getSpeed());
    if (!mode) {
        return std::nullopt;
    }
    const bool rom110 = codes::hasRom110Layout(firmwareLevel);
    const std::string nd = "," + std::to_string(status.getInsertNd());
    const std::string count =
        "," + format("%02d", static_cast<int>(std::trunc(status.getSyncManualParam() + 0.5)));
    std::string text = "SPMS," + std::to_string(*mode);
    switch (status.getSpeed()) {
        case speed::kNormal:
        case speed::kFast:
            text += rom110 ? nd : "";
            break;
        case speed::kMulti:
            text += count;  // the layout before ROM 1.10 has no internal ND
            break;
        case speed::kMultiRom110:
        case speed::kMulti2:
            text += count + (rom110 ? nd : "");
            break;
        case speed::kManual: {
            const double micros = std::trunc(status.getSyncManualDouble() * 1000000.0 + 0.5);
            text += "," + format("%09d", static_cast<int>(micros)) + nd;
            break;
        }
    }
    return line(text);
}

SyncReading parseSync(const std::string& reply) {
    const ReplyFields fields(reply);
    SyncReading reading;
    // Any mode the table lacks reads as external synchronisation.
    reading.sync = codes::kSyncWire.code(field(fields, 2)).value_or(codes::sync::kExternal);
    if (reading.sync == codes::sync::kInternal) {
        reading.frequency = static_cast<float>(platform::cAtof(fields.field(3)) * 0.01);
    }
    return reading;
}

std::optional<std::string> syncCommand(const SetupStatus& status) {
    const auto mode = codes::kSyncWire.wire(status.getSync());
    if (!mode) {
        return std::nullopt;
    }
    std::string text = "SCMS," + std::to_string(*mode);
    if (status.getSync() == codes::sync::kInternal) {
        const double hundredths = std::trunc(status.getSyncInternalParam() * 100.0 + 0.5);
        text += "," + format("%05d", static_cast<int>(hundredths));
    }
    return line(text);
}

int parseLens(const std::string& reply) {
    return codes::kLensWire.code(field(ReplyFields(reply), 2)).value_or(codes::lens::kStandard);
}

std::optional<std::string> lensCommand(int lens) {
    const auto wire = codes::kLensWire.wire(lens);
    return wire ? std::optional(valueCommand("LNSS", *wire)) : std::nullopt;
}

int parseNd(const std::string& reply) {
    return codes::kNdWire.code(field(ReplyFields(reply), 2)).value_or(codes::nd::kNone);
}

std::optional<std::string> ndCommand(int nd) {
    const auto wire = codes::kNdWire.wire(nd);
    return wire ? std::optional(valueCommand("NDFS", *wire)) : std::nullopt;
}

int areaOfAngleIndex(int index) {
    return codes::kAreaWire.code(index).value_or(codes::area::kOneDegree);
}

AngleReading parseAngle(const std::string& reply) {
    const int index = field(ReplyFields(reply), 2);
    return {index, areaOfAngleIndex(index)};
}

int digitAt(const std::string& reply, std::size_t position) {
    if (reply.size() <= position) {
        return 0;
    }
    return std::atoi(reply.substr(position, 1).c_str());
}

std::string valueCommand(const char* mnemonic, int value) {
    return line(std::string(mnemonic) + "," + std::to_string(value));
}

std::string backLightCommand(int always, int measuring) {
    return line("BALS," + std::to_string(always) + "," + std::to_string(measuring));
}

int parseUnit(const std::string& reply) {
    return codes::kUnitWire.code(replyDigit(reply)).value_or(codes::unit::kCandela);
}

std::string unitCommand(int unit) {
    const int wanted =
        unit != codes::unit::kCandela ? codes::unit::kFootLambert : codes::unit::kCandela;
    return valueCommand("LUUS", *codes::kUnitWire.wire(wanted));
}

std::string triggerCommand(bool enable) {
    return valueCommand("MSWE", enable ? 1 : 0);
}

bool isStrayTriggerReply(const std::string& reply) {
    return reply.size() > 5;
}

}  // namespace protocol
