#include "link/ConnectionLink.h"

#include "link/IdentityProtocol.h"
#include "resources/StringTable.h"
#include "sensor/ResultCodes.h"

namespace {

// Texts of the two models.
constexpr int kLowLuminanceText = 16120;
constexpr int kStandardText = 16121;

}  // namespace

ConnectionLink::ConnectionLink(Exchanger& exchanger, HostConnection& connection, InstrumentId& id)
    : exchanger_(exchanger), connection_(connection), id_(id) {}

int ConnectionLink::setRemoteMode(int mode) {
    const int timeout = mode == 0 ? connection_.getTimeout() : protocol::kRemoteModeTimeout;
    std::string reply;
    return exchanger_.exchange(protocol::remoteModeCommand(mode), reply, timeout, true);
}

int ConnectionLink::leaveRemoteMode(LineExchange& line, int timeout) {
    std::string reply;
    ExchangeResult result = line.send(protocol::remoteModeCommand(0), reply, timeout, true);
    for (int late = 0;
         late < protocol::kLateRepliesSkipped && result.outcome() == ExchangeOutcome::Done &&
         protocol::isEarlierCommandsReply(reply);
         ++late) {
        result = line.receive(reply, timeout);
    }
    if (result.outcome() == ExchangeOutcome::Done && protocol::isEarlierCommandsReply(reply)) {
        return codes::status::kRefused;  // its own answer never came: not known to be taken
    }
    return result.status();
}

int ConnectionLink::readIdentity() {
    std::string reply;
    if (int r =
            exchanger_.exchange(protocol::kIdentityQuery, reply, protocol::kIdentityTimeout, true);
        r != codes::status::kOk) {
        return r;
    }
    const protocol::Identity identity = protocol::parseIdentity(reply);
    switch (identity.model) {
        case protocol::Model::Standard:
            id_.setVariationCode(InstrumentId::kStandardModel);
            id_.setVariation(resources::loadString(kStandardText));
            break;
        case protocol::Model::LowLuminance:
            id_.setVariationCode(InstrumentId::kLowLuminanceModel);
            id_.setVariation(resources::loadString(kLowLuminanceText));
            break;
        case protocol::Model::Unknown:
            id_.setVariationCode(0);
            id_.setVariation("");
            break;
    }
    id_.setBodyNo(identity.bodyNumber);

    if (int r =
            exchanger_.exchange(protocol::kVersionQuery, reply, protocol::kIdentityTimeout, true);
        r != codes::status::kOk) {
        return r;
    }
    id_.setRomVersion(protocol::parseRomVersion(reply));
    return exchanger_.exchange(protocol::kJigOff, reply, protocol::kIdentityTimeout, true);
}
