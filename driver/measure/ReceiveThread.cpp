// Remote measurement: the worker thread that collects the measurements the user
// takes with the instrument's own key and hands each one to the host.
#include "dialogs/CCheckCommunicationDlg.h"
#include "link/MeasurementProtocol.h"
#include "measure/FiniteValues.h"
#include "measure/MeasureMessages.h"
#include "platform/System.h"
#include "platform/UiServices.h"
#include "platform/ui/DialogRunner.h"
#include "resources/StringTable.h"
#include "sensor/DriverInternals.h"
#include "sensor/ErrorDisplayOff.h"
#include "sensor/ResultCodes.h"

namespace {

constexpr unsigned kPassPauseMs = 100;
constexpr int kMeasuringNoticeText = 20151;  // "測定中"
constexpr int kStrayReplyText = 20150;       // "data reception failed"

using codes::status::kOk;
using codes::status::kRefused;

// The warning a remote record carries for the header's warning code.
int warningIdFor(int code) {
    if (code == 204 || code == 205) {
        return 10;
    }
    if (code == 212 || code == 213) {
        return 9;
    }
    return 0;
}

}  // namespace

void TavoRX9100::createThread() {
    threadParam.driver = this;
    threadParam.mainWindow = platform::mainWindow();
    // One receive thread at a time: a run that has not ended yet goes on serving.
    if (!internals_->receiving.exchange(true) &&
        !internals_->receiveThread.start(&TavoRX9100::recvdataThread, &threadParam)) {
        internals_->receiving = false;
    }
    receiveThreadStarted = internals_->receiving.load();
}

unsigned TavoRX9100::recvdataThread(void* param) {
    auto* block = static_cast<ThreadParam*>(param);
    TavoRX9100& driver = *block->driver;
    platform::WindowHandle mainWindow = block->mainWindow;
    driver.remoteRunning = false;
    for (;;) {
        driver.remoteLock.enter();
        driver.remoteRunning = true;
        if (!driver.triggerEnabled && driver.remoteMeasuring) {
            // Asked again every pass; the pass that failed to enable it has reported that.
            driver.switchMeasuringKey(true, false);
        }
        // The transport's cancel ends the loop; so does quitting itself, in case an
        // exchange of the pass started a new one and so cleared the cancel.
        if (driver.isTriggerCancel() || (driver.remoteQuitting && !driver.remoteMeasuring)) {
            break;  // leaves with the lock held
        }
        driver.receivePass(mainWindow);
        driver.remoteRunning = false;
        driver.remoteLock.leave();
        platform::sleepMs(kPassPauseMs);
    }
    if (driver.triggerEnabled && driver.remoteMeasuring) {
        if (driver.setTriggerEnable(false, false) == kOk) {
            driver.triggerEnabled = false;
        }
    }
    driver.remoteRunning = false;
    driver.remoteLock.leave();
    driver.internals_->receiving = false;
    // Last: once signalled, the host may go on and destroy the driver, which joins this thread.
    driver.offThread();
    return 0;
}

int TavoRX9100::requestRemoteHeader(std::string& reply) {
    // A key press not yet taken is no error to show; afterwards errors are shown again.
    ErrorDisplayOff quiet(errorVisible, ErrorDisplayOff::Afterwards::SwitchOn);
    return doCommunication(protocol::kHeaderRequest, reply, protocol::kDataTimeout, true);
}

void TavoRX9100::receivePass(platform::WindowHandle mainWindow) {
    if (!triggerEnabled) {
        // No measurement can be taken with a key that is off, and the instrument still
        // offers the last one: the pass waits for the key (asked again at the top of the
        // next pass) rather than hand the same record over twice.
        return;
    }
    std::string reply;
    int r = requestRemoteHeader(reply);
    if (r != kOk && r != kRefused) {
        return;
    }
    auto measuring = [this](int result) {
        return result == kRefused && instrumentState.getErrorCode() == codes::error::kMeasuring;
    };
    if (measuring(r)) {
        // Measuring at the instrument: show the notice and ask again until it is over.
        CCheckCommunicationDlg notice(resources::loadString(kMeasuringNoticeText), mainWindow);
        auto runner = platform::ui::dialogRunner();
        runner->centreModeless(notice, mainWindow);
        runner->showModeless(notice, true);
        do {
            platform::sleepMs(kPassPauseMs);
            r = requestRemoteHeader(reply);
        } while (measuring(r) && !remoteQuitting);
        if (r != kOk && r != kRefused) {
            return;
        }
    }
    if (r == kRefused) {
        const int code = instrumentState.getErrorCode();
        if (code == codes::error::kMeasuring || code == codes::error::kNoData) {
            instrumentState.setErrorCode(codes::error::kNoError);  // no key press yet
            setWarningMessage(codes::error::kNoError);
        } else {
            setErrorMessageTrgMode(code, this);
        }
        return;
    }

    // A measurement is there; the header's status word gives its warning.
    const int warningId = warningIdFor(instrumentState.getErrorCode());
    const auto header = protocol::parseMeasurementHeader(reply);
    // The key goes off before the data are read, not after: a measurement the key starts
    // during the read would make the instrument refuse the rest (ER02) or replace the
    // data half way, and a key pressed faster than the line carries a record would then
    // never let one through. If it cannot be switched off, the data are read all the same.
    if (triggerEnabled) {
        switchMeasuringKey(false, true);
    }

    remoteData.clear();
    MeasuringData record(setupStatus);
    record.setMeasurementTime(CTime::GetCurrentTime());
    if (header) {
        record.setIntegralTime(header->integralTime);
    }
    record.setWarning(warningId, "");
    record.getData().reserve(kSpectralPoints);

    int result = getMeasurementData(record);
    if (!allFinite(record.getData())) {
        std::vector<double>().swap(record.getData());
        remoteData.push_back(record);
        instrumentState.setErrorCode(codes::error::kInvalidData);
        setErrorMessageTrgMode(codes::error::kInvalidData, this);
        result = kRefused;
    } else if (result == kOk) {
        remoteData.push_back(record);
    }

    if (result == kOk) {
        approveEvent.reset();
        awaitingApproval = true;
        platform::postMessage(mainWindow, MSG_REMOTE_DATA, 0, 0);
        approveEvent.wait();
        awaitingApproval = false;
        remoteRunning = false;
    }
    // The key on again, which also makes the instrument wait for a new measurement: sent
    // after every record handed over, even when the key could not be switched off.
    if (result == kOk || !triggerEnabled) {
        switchMeasuringKey(true, true);
    }
}

bool TavoRX9100::switchMeasuringKey(bool enable, bool reportFailure) {
    int r = kOk;
    {
        // The key command is asked again while the instrument refuses; one refusal
        // reported, not one message per attempt.
        ErrorDisplayOff quiet(errorVisible, ErrorDisplayOff::Afterwards::Restore);
        r = setTriggerEnable(enable, false);
    }
    if (r == kOk) {
        triggerEnabled = enable;
        return true;
    }
    if (reportFailure) {
        setErrorMessageTrgMode(instrumentState.getErrorCode(), this);
    }
    return false;
}
