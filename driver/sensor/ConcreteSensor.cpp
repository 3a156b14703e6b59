#include "sensor/ConcreteSensor.h"

#include "outside/CommonWords.h"
#include "platform/ModuleResources.h"
#include "platform/System.h"
#include "platform/UiServices.h"
#include "sensor/ResultCodes.h"

namespace {

constexpr int kStillReceivingWord = 30001;  // data are still being received

}  // namespace

void ConcreteSensor::approveGetData() {
    approveEvent.set();
}

void ConcreteSensor::onThread() {
    threadEvent.reset();
}

void ConcreteSensor::offThread() {
    threadEvent.set();
}

int ConcreteSensor::remoteMeasure() {
    platform::CriticalSectionLock lock(remoteLock);
    remoteQuitting = false;
    remoteMeasuring = true;
    onThread();
    createThread();
    int r = setTriggerEnable(true, false);
    triggerEnabled = (r == 0);
    return r;
}

int ConcreteSensor::quitRemoteMeasure(bool disable) {
    int r = 0;
    remoteQuitting = true;
    if (disable) {
        // A receive thread waiting for the host to fetch its record holds the
        // lock: let it go on, or taking the lock would wait for ever.
        while (!remoteLock.tryEnter()) {
            if (awaitingApproval) {
                approveGetData();
            }
            platform::sleepMs(5);
        }
        r = setTriggerEnable(false, false);
        triggerEnabled = (r != 0);
    }
    remoteMeasuring = false;
    if (connection != nullptr) {
        connection->cancel();
    }
    // Without disable this releases the lock an outstanding lockRemote holds.
    remoteLock.leave();
    waitForReceiveThread();
    return r;
}

int ConcreteSensor::lockRemote() {
    if (remoteRunning) {
        platform::WindowHandle main = platform::mainWindow();
        platform::Message message;
        while (remoteRunning) {
            if (platform::peekMessage(message, main, kRemoteMessageFirst, kRemoteMessageLast,
                                      true)) {
                break;
            }
            platform::sleepMs(10);
        }
        if (remoteRunning) {
            approveGetData();
            platform::ResourceScope words(platform::ResourceSource::CommonWords);
            platform::messageBox(loadCommonWord(kStillReceivingWord));
            return codes::status::kStillReceiving;
        }
    }
    remoteLock.enter();
    if (triggerEnabled) {
        int r = setTriggerEnable(false, false);
        triggerEnabled = (r != 0);
        return r;
    }
    return 0;
}

int ConcreteSensor::unlockRemote(bool arg) {
    int r = 0;
    if (!triggerEnabled) {
        r = setTriggerEnable(true, arg);
        triggerEnabled = (r == 0);
    }
    remoteLock.leave();
    return r;
}

void ConcreteSensor::waitForReceiveThread() {
    // A receive thread that was never started would never signal: waiting for
    // it would hang the host.
    if (!receiveThreadStarted.exchange(false)) {
        return;
    }
    // Wait without a time limit, but never for a host fetch that will not come:
    // a record announced after the quit is let go.
    while (!threadEvent.waitFor(std::chrono::milliseconds(20))) {
        if (awaitingApproval) {
            approveGetData();
        }
    }
}
