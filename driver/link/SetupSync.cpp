// Moving the whole set of measuring conditions between instrument and driver.
#include "link/ConditionLink.h"
#include "link/SetupSequence.h"
#include "platform/UiServices.h"
#include "sensor/TavoRX9100.h"

int TavoRX9100::checkSetupStatus() {
    ConditionLink conditions = conditionLink(exchanger());
    ChannelLink channels = channelLink(exchanger());
    return readSetup(conditions, channels);
}

int TavoRX9100::setSetupStatus() {
    platform::WaitCursor wait;
    ConditionLink conditions = conditionLink(exchanger());
    ChannelLink channels = channelLink(exchanger());
    if (int r = writeSetup(conditions, channels); r != 0) {
        return r;
    }
    checkInstrumentState();
    return 0;
}

// The measuring-conditions dialog is not part of this build yet: refused, never faked.
int TavoRX9100::setupInstrument() {
    return notAvailable();
}
