#include "link/StoredDataProtocol.h"

#include <cstdio>

#include "link/ReplyFields.h"
#include "platform/Numbers.h"

namespace protocol {

namespace {

constexpr int kObserver2 = 2;

}  // namespace

std::string targetPointCommand(int number, int index, const std::string& hexValue) {
    return platform::cFormat("TGDS,1,0,%02d,%03d,%s\r\n", number, index, hexValue.c_str());
}

int targetObserverCode(int applicationObserver) {
    return applicationObserver == kObserver2 ? 1 : 11;
}

std::string targetLuminanceText(double value) {
    if (value >= 1000000.0) {
        return platform::cFormat("%8.0lf", value);
    }
    if (value >= 100000.0) {
        return platform::cFormat("%8.1lf", value);
    }
    return platform::cFormat("%8.2lf", value);
}

std::string targetChromaticityText(double value) {
    return platform::cFormat("%06.4lf", value);
}

std::string targetColorCommand(int number, int applicationObserver,
                               const std::array<double, 3>& values) {
    return platform::cFormat(
        "TGDS,0,1,%02d,%02d,%s,%s,%s\r\n", number, targetObserverCode(applicationObserver),
        targetLuminanceText(values[0]).c_str(), targetChromaticityText(values[1]).c_str(),
        targetChromaticityText(values[2]).c_str());
}

std::string targetNameCommand(int number, const std::string& name) {
    return platform::cFormat("TGDS,0,3,%02d,%s\r\n", number, name.c_str());
}

std::string selectTargetCommand(int number) {
    return platform::cFormat("TGSL,%02d\r\n", number);
}

std::optional<int> parseActiveTarget(const std::string& reply) {
    const ReplyFields fields(reply);
    if (!fields.field(1).starts_with("OK") || fields.count() != 2) {
        return std::nullopt;
    }
    const auto n = platform::cParseInteger(fields.field(2));
    if (!n || *n < kFirstTarget || *n > kLastTarget) {
        return std::nullopt;
    }
    return static_cast<int>(*n);
}

std::string deleteRecordCommand(bool target, int number) {
    return platform::cFormat("%s,%02d\r\n", target ? "TGDD" : "STDD", number);
}

std::string deleteAllCommand(bool samples) {
    return samples ? "STAD\r\n" : "TGAD\r\n";
}

}  // namespace protocol
