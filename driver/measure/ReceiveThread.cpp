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
            if (driver.setTriggerEnable(true, false) == kOk) {
                driver.triggerEnabled = true;
            }
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

    remoteData.clear();
    MeasuringData record(setupStatus);
    record.setMeasurementTime(CTime::GetCurrentTime());
    if (const auto header = protocol::parseMeasurementHeader(reply)) {
        record.setIntegralTime(header->integralTime);
    }
    record.setWarning(warningIdFor(instrumentState.getErrorCode()), "");
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

    if (triggerEnabled) {
        // The key stays off while the host fetches the record.
        if (setTriggerEnable(false, false) != kOk) {
            setErrorMessageTrgMode(instrumentState.getErrorCode(), this);
            platform::messageBox(resources::loadString(kStrayReplyText));
            return;
        }
        triggerEnabled = false;
    }
    if (result == kOk) {
        approveEvent.reset();
        awaitingApproval = true;
        platform::postMessage(mainWindow, MSG_REMOTE_DATA, 0, 0);
        approveEvent.wait();
        awaitingApproval = false;
        remoteRunning = false;
    }
    if (!triggerEnabled) {
        if (setTriggerEnable(true, false) == kOk) {
            triggerEnabled = true;
        }
    }
}
