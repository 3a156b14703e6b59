// The protocol layer's reply parsers on any line an instrument (or a line fault) could
// send: splitting into fields, hexadecimal values, identity, version, conditions,
// measuring time, data headers and the active target. Besides crashes and undefined behaviour it
// checks what the parsers promise: fields join back to the line, hexadecimal values keep their
// bits, codes always come from the condition tables.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "link/ConditionProtocol.h"
#include "link/HexNumbers.h"
#include "link/IdentityProtocol.h"
#include "link/MeasurementProtocol.h"
#include "link/ReplyFields.h"
#include "link/StoredDataProtocol.h"
#include "sensor/ConditionCodes.h"

namespace {

void checkFields(const std::string& reply) {
    const ReplyFields fields(reply);
    std::string expected = reply;
    if (!expected.empty() && expected.back() == '\n') {
        expected.pop_back();
    }
    fuzz::check(fields.field(1, true) == expected, "ReplyFields do not join back to the line");
    fuzz::check(fields.count() == static_cast<int>(std::count(reply.begin(), reply.end(), ',')) + 1,
                "ReplyFields count differs from the commas");
    fuzz::check(fields.field(fields.count() + 1).empty(), "a field beyond the count has text");
}

// Eight hexadecimal digits are the 32 bits of the value, whatever their case.
void checkHex(const std::string& text) {
    const float value = hexnum::hexToFloat(text);
    if (!fuzz::isHexValue(text)) {
        return;
    }
    std::string digits = text;
    std::transform(digits.begin(), digits.end(), digits.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    const auto first = digits.find_first_not_of('0');
    digits = first == std::string::npos ? "0" : digits.substr(first);
    fuzz::check(hexnum::floatToHex(value) == digits, "hex value does not keep its bits: " + text);
    if (std::isfinite(value)) {
        // Finite values survive the double the driver keeps them in.
        fuzz::check(hexnum::floatToHex(static_cast<float>(hexnum::hexToDouble(text))) == digits,
                    "hex value changes through double: " + text);
    }
}

void checkConditions(const std::string& reply) {
    for (const int level : {100, 110}) {
        const protocol::SpeedReading speed = protocol::parseSpeed(reply, level);
        fuzz::check(codes::kSpeedWire.wire(speed.speed).has_value(), "speed outside the table");
        (void)protocol::speedCommand(SetupStatus{}, level);
    }
    const protocol::SyncReading sync = protocol::parseSync(reply);
    fuzz::check(codes::kSyncWire.wire(sync.sync).has_value(), "sync outside the table");
    fuzz::check(sync.frequency.has_value() == (sync.sync == codes::sync::kInternal),
                "a frequency without internal synchronisation");
    fuzz::check(codes::kLensWire.wire(protocol::parseLens(reply)).has_value(),
                "lens outside the table");
    fuzz::check(codes::kNdWire.wire(protocol::parseNd(reply)).has_value(), "ND outside the table");
    const protocol::AngleReading angle = protocol::parseAngle(reply);
    fuzz::check(codes::kAreaWire.wire(angle.area).has_value(), "area outside the table");
    const int unit = protocol::parseUnit(reply);
    fuzz::check(unit == codes::unit::kCandela || unit == codes::unit::kFootLambert,
                "unit outside the table");
    for (std::size_t position = 0; position < 8; ++position) {
        const int digit = protocol::digitAt(reply, position);
        fuzz::check(digit >= -9 && digit <= 9, "digitAt gives more than one digit");
    }
    (void)protocol::isStrayTriggerReply(reply);
}

void checkIdentity(const std::string& reply) {
    const protocol::Identity identity = protocol::parseIdentity(reply);
    fuzz::check(identity.bodyNumber.size() <= 7, "body number longer than seven characters");
    const std::string rom = protocol::parseRomVersion(reply);
    if (fuzz::enabled("firmware-level")) {
        (void)protocol::firmwareLevelOf(rom);
    }
}

void checkMeasurement(const std::string& reply) {
    if (fuzz::enabled("measuring-time")) {
        if (const auto hundredths = protocol::measuringHundredths(reply)) {
            fuzz::check(*hundredths <= protocol::kLongestMeasuringSeconds * 100,
                        "a measuring time longer than any measurement");
        }
    }
    if (const auto header = protocol::parseMeasurementHeader(reply)) {
        fuzz::check(codes::kAreaWire.wire(header->area).has_value(),
                    "header area outside the table");
        fuzz::check(std::isfinite(header->integralTime) && header->integralTime >= 0.0f,
                    "an integration time that is no time");
    }
    for (int block = 1; block <= protocol::kBlocks; ++block) {
        if (const auto values = protocol::parseBlockValues(reply, block)) {
            fuzz::check(static_cast<int>(values->size()) == protocol::blockValueCount(block),
                        "a block of the wrong length");
        }
    }
    (void)protocol::parseTargetName(reply);
    if (const auto values = protocol::parseColorValues(reply)) {
        fuzz::check(values->size() == 3, "colour values not three");
        (void)protocol::hasColorValues(*values);
    }
    if (const auto target = protocol::parseActiveTarget(reply)) {
        fuzz::check(*target >= protocol::kFirstTarget && *target <= protocol::kLastTarget,
                    "an active target outside 1 to 20");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string reply(fuzz::asText(data, size));
    checkFields(reply);
    checkHex(reply);
    for (const std::string& field : fuzz::splitFields(reply)) {
        checkHex(field);
    }
    checkConditions(reply);
    checkIdentity(reply);
    checkMeasurement(reply);
    return 0;
}
