#pragma once
// Bringing back an instrument that left remote mode (it answered "ER00"): remote mode
// again, identification, the measuring conditions with the active channel, and the measuring key
// when remote measurement runs. The links given must exchange without recovering, so an instrument
// that drops out again fails the recovery instead of starting another one inside it.
#include "link/ConditionLink.h"
#include "link/ConnectionLink.h"
#include "sensor/InstrumentState.h"
#include "usercal/ChannelLink.h"

struct RemoteSession {
    bool measuring = false;      // remote measurement runs
    bool keyWasEnabled = false;  // the measuring key had been enabled for it
};

// expectOk is that of the exchange that met "ER00": without it the recovery ends after
// the conditions. A key that had been enabled before the instrument dropped out gives
// error 20 and 10: the measurement it was waiting for is lost.
[[nodiscard]] int recoverRemoteMode(ConnectionLink& connection, ConditionLink& conditions,
                                    ChannelLink& channels, InstrumentState& state, bool expectOk,
                                    RemoteSession session);
