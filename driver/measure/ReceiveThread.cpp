// Remote measurement: the worker thread that collects the measurements the user
// takes with the instrument's own key and hands each one to the host.
#include <cmath>

#include "dialogs/CCheckCommunicationDlg.h"
#include "link/ReplyFields.h"
#include "measure/FiniteValues.h"
#include "measure/MeasureMessages.h"
#include "platform/Numbers.h"
#include "platform/System.h"
#include "platform/UiServices.h"
#include "platform/ui/DialogRunner.h"
#include "resources/StringTable.h"
#include "sensor/TavoRX9100.h"

namespace {

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
    receiveThreadStarted = platform::startThread(&TavoRX9100::recvdataThread, &threadParam);
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
            if (driver.setTriggerEnable(true, false) == 0) {
                driver.triggerEnabled = true;
            }
        }
        if (driver.isTriggerCancel()) {
            break;  // leaves with the lock held
        }
        driver.receivePass(mainWindow);
        driver.remoteRunning = false;
        driver.remoteLock.leave();
        platform::sleepMs(100);
    }
    if (driver.triggerEnabled && driver.remoteMeasuring) {
        if (driver.setTriggerEnable(false, false) == 0) {
            driver.triggerEnabled = false;
        }
    }
    driver.remoteRunning = false;
    driver.remoteLock.leave();
    // Last: once signalled, the host may go on and even destroy the driver.
    driver.offThread();
    return 0;
}

int TavoRX9100::requestRemoteHeader(std::string& reply) {
    setErrorVisible(false);
    int r = doCommunication("MEDR,0,0,001\r\n", reply, 3, true);
    setErrorVisible(true);
    return r;
}

void TavoRX9100::receivePass(platform::WindowHandle mainWindow) {
    std::string reply;
    int r = requestRemoteHeader(reply);
    if (r != 0 && r != 10) {
        return;
    }
    if (r == 10 && instrumentState.getErrorCode() == 2) {
        // Measuring at the instrument: show the notice and ask again until it is over.
        CCheckCommunicationDlg notice(resources::loadString(20151), mainWindow);
        auto runner = platform::ui::dialogRunner();
        runner->centreModeless(notice, mainWindow);
        runner->showModeless(notice, true);
        do {
            platform::sleepMs(100);
            r = requestRemoteHeader(reply);
        } while (r == 10 && instrumentState.getErrorCode() == 2 && !remoteQuitting);
        if (r != 0 && r != 10) {
            return;
        }
    }
    if (r == 10) {
        int code = instrumentState.getErrorCode();
        if (code == 2 || code == 20) {
            instrumentState.setErrorCode(200);
            setWarningMessage(200);
        } else {
            setErrorMessageTrgMode(code, this);
        }
        return;
    }

    remoteData.clear();
    MeasuringData record(setupStatus);
    record.setMeasurementTime(CTime::GetCurrentTime());
    record.setIntegralTime(static_cast<float>(platform::cAtof(ReplyFields(reply).field(4)) * 1e-6));
    record.setWarning(warningIdFor(instrumentState.getErrorCode()), "");
    record.getData().reserve(kSpectralPoints);

    int result = getMeasurementData(record);
    if (!allFinite(record.getData())) {
        std::vector<double>().swap(record.getData());
        remoteData.push_back(record);
        instrumentState.setErrorCode(41);
        setErrorMessageTrgMode(41, this);
        result = 10;
    } else if (result == 0) {
        remoteData.push_back(record);
    }

    if (triggerEnabled) {
        // The key stays off while the host fetches the record.
        if (setTriggerEnable(false, false) != 0) {
            setErrorMessageTrgMode(instrumentState.getErrorCode(), this);
            platform::messageBox(resources::loadString(20150));
            return;
        }
        triggerEnabled = false;
    }
    if (result == 0) {
        approveEvent.reset();
        awaitingApproval = true;
        platform::postMessage(mainWindow, MSG_REMOTE_DATA, 0, 0);
        approveEvent.wait();
        awaitingApproval = false;
        remoteRunning = false;
    }
    if (!triggerEnabled) {
        if (setTriggerEnable(true, false) == 0) {
            triggerEnabled = true;
        }
    }
}
