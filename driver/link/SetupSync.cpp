// Moving the whole set of measuring conditions between instrument and driver.
#include "dialogs/CSetupRx9100Dlg.h"
#include "link/ConditionLink.h"
#include "link/SetupSequence.h"
#include "platform/ModuleResources.h"
#include "platform/System.h"
#include "platform/UiServices.h"
#include "sensor/TavoRX9100.h"

namespace {

constexpr unsigned kSetupSettleMs = 400;

}  // namespace

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

int TavoRX9100::setupInstrument() {
    // Lets the instrument settle after whatever the host sent just before.
    platform::sleepMs(kSetupSettleMs);
    if (const int r = checkSetupStatus(); r != 0) {
        return r;
    }
    if (const int r = checkCalibrationCh(); r != 0) {
        return r;
    }
    const SetupStatus kept = setupStatus;
    {
        platform::ResourceScope own(platform::ResourceSource::Module);
        CSetupRx9100Dlg dialog(*this, setupCapability, setupStatus, platform::mainWindow());
        if (dialog.doModal() != platform::IDOK) {
            // What the dialog re-read from the instrument stays; nothing is written.
            return 0;
        }
    }
    const int result = setSetupStatus();
    if (result != 0) {
        // What was in force before the dialog, not a half-written mixture.
        setupStatus = kept;
        insertNd = kept.getInsertNd();
    }
    return result;
}
