#include "link/IdentityProtocol.h"

#include "link/ReplyFields.h"
#include "platform/Numbers.h"

namespace protocol {

namespace {

constexpr std::size_t kBodyNumberLength = 7;

}  // namespace

std::string remoteModeCommand(int mode) {
    return "RMTS," + std::to_string(mode) + "\r\n";
}

bool isEarlierCommandsReply(const std::string& reply) {
    return reply.find(',') != std::string::npos;
}

Identity parseIdentity(const std::string& reply) {
    ReplyFields fields(reply);
    Identity identity;
    switch (platform::cAtoi(fields.field(3))) {
        case 0:
        case 1:
            identity.model = Model::Standard;
            break;
        case 2:
            identity.model = Model::LowLuminance;
            break;
        default:
            break;
    }
    identity.bodyNumber = fields.field(4).substr(0, kBodyNumberLength);
    return identity;
}

std::string parseRomVersion(const std::string& reply) {
    return ReplyFields(reply).field(2);
}

int firmwareLevelOf(const std::string& romVersion) {
    const double version = platform::cAtof(romVersion);
    // A version no instrument has (negative, not a number, beyond 1000) counts as none,
    // like a missing one: it must not overflow the level.
    if (!(version >= 0.0 && version < kHighestRomVersion)) {
        return 0;
    }
    return static_cast<int>(version * 100.0 + 0.01);
}

}  // namespace protocol
