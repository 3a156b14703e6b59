#include "link/RemoteModeRecovery.h"

#include "link/SetupSequence.h"
#include "platform/System.h"
#include "sensor/ResultCodes.h"

namespace {

// The instrument needs a moment in remote mode before it answers the identification.
constexpr unsigned kSettleMs = 50;

}  // namespace

int recoverRemoteMode(ConnectionLink& connection, ConditionLink& conditions, ChannelLink& channels,
                      InstrumentState& state, bool expectOk, RemoteSession session) {
    using codes::status::kOk;
    if (int r = connection.setRemoteMode(1); r != kOk) {
        return r;
    }
    platform::sleepMs(kSettleMs);
    if (int r = connection.readIdentity(); r != kOk) {
        return r;
    }
    if (int r = readSetup(conditions, channels); r != kOk || !expectOk) {
        return r;
    }
    if (!session.measuring) {
        return kOk;
    }
    const int r = conditions.setTriggerEnable(true);
    if (session.keyWasEnabled) {
        state.setErrorCode(codes::error::kNoData);
        return codes::status::kRefused;
    }
    return r;
}
