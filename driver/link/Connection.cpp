// Connecting, identifying and disconnecting the instrument.
#include <mutex>

#include "link/ConnectionLink.h"
#include "link/IdentityProtocol.h"
#include "platform/Locale.h"
#include "sensor/ConditionCodes.h"
#include "sensor/DriverInternals.h"
#include "sensor/ErrorDisplayOff.h"
#include "sensor/ResultCodes.h"
#include "sensor/TavoRX9100.h"

int TavoRX9100::connect() {
    int r = openPort();
    if (r != 0) {
        return r;
    }
    const unsigned recoveriesBefore = internals_->recoveriesStarted;
    r = setRemoteMode(1);
    if (r != 0) {
        // Refused outright, the instrument never entered remote mode: nothing to undo. A
        // reply read as "ER00" (a garbled one reads so too) started the recovery, whose own
        // "RMTS,1" may have been accepted before a later step failed: that one goes back.
        if (r != codes::status::kTransportFailed &&
            internals_->recoveriesStarted != recoveriesBefore) {
            returnToLocalMode();
        }
        closePort();
        return r;
    }
    r = checkInstrumentId();
    if (r != 0) {
        if (r != codes::status::kTransportFailed) {
            returnToLocalMode();
        }
        closePort();
        return r;
    }

    {
        platform::CLocaleScope cLocale;  // leaves the process in the user's default locale
        firmwareLevel = protocol::firmwareLevelOf(instrumentId.getRomVersion());
    }

    const bool lowLuminance = codes::hasRom110Layout(firmwareLevel) &&
                              instrumentId.getVariationCode() == InstrumentId::kLowLuminanceModel;
    instrumentId.setName(lowLuminance ? "RX-9100A" : "RX-9100");
    setSpeedList(speedListFor(firmwareLevel));
    return 0;
}

int TavoRX9100::setRemoteMode(int mode) {
    if (mode != 0) {
        return connectionLink(exchanger()).setRemoteMode(mode);
    }
    // Leaving remote mode never enters it: "ER00" says the instrument is local already,
    // which is what was asked, so the bare exchange serves and no recovery runs. Any other
    // refusal (a command line garbled on its way reads as a bad parameter) is asked once
    // more, since an instrument left in remote mode keeps its keys locked.
    int r = codes::status::kRefused;
    for (int attempt = 0; attempt < 2 && r == codes::status::kRefused; ++attempt) {
        r = ConnectionLink::leaveRemoteMode(internals_->line, connection->getTimeout());
        if (r == codes::status::kRefused &&
            instrumentState.getErrorCode() == codes::error::kLeftRemoteMode) {
            instrumentState.setErrorCode(codes::error::kNoError);
            setWarningMessage(codes::error::kNoError);
            return codes::status::kOk;
        }
    }
    return r;
}

void TavoRX9100::returnToLocalMode() {
    // The failure that ended the operation stays what the host reads.
    const int code = instrumentState.getErrorCode();
    const std::string message = instrumentState.getErrorMessage();
    {
        ErrorDisplayOff quiet(errorVisible, ErrorDisplayOff::Afterwards::Restore);
        (void)setRemoteMode(0);
    }
    instrumentState.setErrorCode(code);
    instrumentState.setErrorMessage(message);
}

int TavoRX9100::checkInstrumentId() {
    return connectionLink(exchanger()).readIdentity();
}

void TavoRX9100::disconnect() {
    // Another thread may be measuring (a host stopping on a signal): the run is told to
    // stop, woken from its completion wait, and waited for; remote measurement ends first.
    // Only then is the instrument talked to, by this thread alone.
    internals_->disconnecting = true;
    interruptCompletionWait();
    struct DisconnectDone {
        std::atomic<bool>& flag;
        ~DisconnectDone() { flag = false; }
    } done{internals_->disconnecting};
    if (remoteMeasuring) {
        quitRemoteMeasure(false);  // without the key step: local mode disables the key
    }
    std::lock_guard run(internals_->measurementRun);

    if (!connection->isOpen()) {
        return;
    }
    if (instrumentState.getErrorCode() == codes::error::kNoResponse) {
        closePort();  // the instrument stopped answering: do not talk to it
        return;
    }
    {
        // Leaving remote mode may fail quietly; afterwards errors are shown again.
        ErrorDisplayOff quiet(errorVisible, ErrorDisplayOff::Afterwards::SwitchOn);
        setRemoteMode(0);
    }
    closePort();
}

// The calibration state the host reads: whether the white calibration in force is there.
int TavoRX9100::checkInstrumentState() {
    instrumentState.clearCalibration();
    if (setupStatus.getMeasurementMethod() == codes::method::kLightSource) {
        return 0;
    }
    const WhiteCalibrationData* white = whiteCalibrationInForce();
    instrumentState.setBlackCal(0);
    instrumentState.setWhiteCal(white != nullptr && white->valid ? 1 : 2);
    return 0;
}
