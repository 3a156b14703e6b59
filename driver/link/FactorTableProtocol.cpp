#include "link/FactorTableProtocol.h"

#include <cstdio>

#include "link/HexNumbers.h"
#include "sensor/ConditionCodes.h"

namespace protocol {

namespace {

constexpr std::size_t kValueAt = 5;  // after "OK00,"
constexpr std::size_t kValueDigits = 8;

std::string line(const char* pattern, int a, int b, int c = 0) {
    char text[48];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
}

}  // namespace

std::string lensReadCommand(int angle, int index) {
    return line("ALFR,%d,%03d\r\n", angle, index);
}

std::string lensWriteCommand(int angle, int index, double factor) {
    return line("ALFS,%d,%03d,", angle, index) + hexnum::doubleToHex(factor) + "\r\n";
}

std::string ndReadCommand(int angle, int filter, int index) {
    return line("NFCR,%d,%d,%03d\r\n", angle, filter, index);
}

std::string ndWriteCommand(int angle, int filter, int index, double factor) {
    return line("NFCS,%d,%d,%03d,", angle, filter, index) + hexnum::doubleToHex(factor) + "\r\n";
}

std::optional<double> parseFactor(const std::string& reply) {
    if (reply.size() < kValueAt + kValueDigits || reply[kValueAt - 1] != ',') {
        return std::nullopt;
    }
    const std::string digits = reply.substr(kValueAt, kValueDigits);
    const std::size_t end = kValueAt + kValueDigits;
    if (end < reply.size() && reply[end] != ',') {
        return std::nullopt;  // a longer number is not a factor
    }
    const auto value = hexnum::parseHexValue(digits);
    if (!value) {
        return std::nullopt;
    }
    return static_cast<double>(*value);
}

std::optional<int> ndFilterOf(int ndCode) {
    switch (ndCode) {
        case codes::nd::kNd1:
            return 1;
        case codes::nd::kNd2:
            return 2;
        default:
            return std::nullopt;
    }
}

int ndFilterToWrite(int ndCode) {
    return ndCode == codes::nd::kNd2 ? 2 : 1;
}

}  // namespace protocol
