#include "usercal/ChannelProtocol.h"

#include <cstdio>

#include "link/HexNumbers.h"
#include "link/ReplyFields.h"
#include "sensor/ConditionCodes.h"

namespace protocol {

namespace {

constexpr std::size_t kValueAt = 5;  // after "OK00,"
constexpr double kFirstWavelength = 380.0;

std::string line(const char* pattern, int a, int b = 0, int c = 0) {
    char text[48];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
}

}  // namespace

std::string channelSelectCommand(int ch) {
    return line("UCCS,%02d\r\n", ch);
}

std::string channelClearCommand(int ch) {
    return line("UCCD,%02d\r\n", ch);
}

std::string channelEntryCommand(ChannelTable table, int ch, int index) {
    return line("UCPR,%d,%02d,%03d\r\n", static_cast<int>(table), ch, index);
}

std::string channelIdQuery(int ch) {
    return line("UCPR,2,%02d\r\n", ch);
}

std::string channelIdCommand(int ch, const std::string& id) {
    char text[64];
    std::snprintf(text, sizeof text, "UCPS,2,%02d,%10s\r\n", ch, id.c_str());
    return text;
}

std::string channelEntryWriteCommand(ChannelTable table, int ch, int index, double value) {
    char text[64];
    std::snprintf(text, sizeof text, "UCPS,%d,%02d,%03d,%s\r\n", static_cast<int>(table), ch, index,
                  hexnum::doubleToHex(value).c_str());
    return text;
}

std::string channelFileIdCommand(int ch, const std::string& id) {
    return line("UCPS,2,%02d,", ch) + id + "\r\n";
}

std::optional<int> parseActiveChannel(const std::string& reply) {
    if (reply.size() < kValueAt + 2 || reply[kValueAt - 1] != ',') {
        return std::nullopt;
    }
    const char tens = reply[kValueAt];
    const char ones = reply[kValueAt + 1];
    if (tens < '0' || tens > '9' || ones < '0' || ones > '9') {
        return std::nullopt;
    }
    const int ch = (tens - '0') * 10 + (ones - '0');
    return isChannel(ch) ? std::optional<int>(ch) : std::nullopt;
}

std::optional<double> parseChannelEntry(const std::string& reply) {
    const auto value = hexnum::parseHexValue(ReplyFields(reply).field(2));
    if (!value) {
        return std::nullopt;
    }
    return static_cast<double>(*value);
}

std::string parseChannelId(const std::string& reply) {
    if (reply.size() <= kValueAt) {
        return {};
    }
    std::string id = reply.substr(kValueAt, kIdLength);
    id.erase(0, id.find_first_not_of(' '));
    return id;
}

double identityEntry(ChannelTable table, int index) {
    return table == ChannelTable::Wavelength ? kFirstWavelength + index : 1.0;
}

int channelMode(bool withNd, bool wavelength, bool level) {
    return codes::calibrationModeFor({wavelength, withNd, level});
}

std::string channelItemName(int mode, const std::string& id) {
    return line("%02d", mode) + id;
}

}  // namespace protocol
