#include "sensor/TavoRX9100.h"

#include <mutex>
#include <new>

#include "link/ConditionLink.h"
#include "link/ConnectionLink.h"
#include "outside/InstrumentPort.h"
#include "platform/Numbers.h"
#include "sensor/DriverInternals.h"
#include "sensor/ResultCodes.h"

namespace {

std::once_flag instanceCreated;
TavoRX9100* instance = nullptr;

// Runs when the module is unloaded, or the process ends, before the module's static
// objects go: the driver stops its receive thread while everything that thread may still
// touch (services, message queues) exists.
__attribute__((destructor)) void destroyInstance() {
    delete instance;
    instance = nullptr;
}

}  // namespace

AbstractSensorStrategy* TavoRX9100::getInstance() {
    // Any thread may ask first; the object is made once.
    std::call_once(instanceCreated, [] { instance = new (std::nothrow) TavoRX9100(); });
    return instance;
}

extern "C" AbstractSensorStrategy* rx9100_getInstance() {
    return TavoRX9100::getInstance();
}

TavoRX9100::TavoRX9100()
    : registry(std::make_unique<RegistryStore>()),
      internals_(std::make_unique<Internals>(*this, connection, instrumentState, errorVisible)) {
    registry->open(kApplicationKey);
    platform::setUserDefaultLocale();

    std::string port;
    int baud = 0;
    loadSettings(port, baud);
    auto serial = makeInstrumentPort(port, baud);
    instrumentState.setComProperty(serial->getMethod(), serial->getPortName(),
                                   serial->getBaudRate(), serial->getByteSize(),
                                   serial->getStopBits(), serial->getParity());
    ownedConnection = std::move(serial);
    connection = ownedConnection.get();

    initializeInstrument();
    secondVersion = false;
    waveCalSet.fill(false);
    levelCalSet.fill(false);
}

TavoRX9100::~TavoRX9100() {
    // A remote measurement still running ends here: its thread must not outlive the object.
    if (internals_->receiving) {
        while (remoteLock.leave()) {
            // a lock the destroying thread took with lockRemote would hold the thread
        }
        quitRemoteMeasure(false);
    }
    internals_->receiveThread.join();
    registry->close();
    registry.reset();
    connection = nullptr;
    ownedConnection.reset();
}

void TavoRX9100::setConnection(std::unique_ptr<HostConnection> replacement) {
    ownedConnection = std::move(replacement);
    connection = ownedConnection.get();
}

Exchanger& TavoRX9100::exchanger() {
    return internals_->recovering;
}

ConditionLink TavoRX9100::conditionLink(Exchanger& through) {
    return ConditionLink(through, DriverConditions{setupStatus, insertNd, mesAng, firmwareLevel});
}

ConnectionLink TavoRX9100::connectionLink(Exchanger& through) {
    return ConnectionLink(through, *connection, instrumentId);
}

bool TavoRX9100::isTriggerCancel() {
    return isCanceled(connection);
}

void TavoRX9100::setApplicationObserver(int observer) {
    applicationObserver = observer;
    checkInstrumentState();
}

int TavoRX9100::getRemoteData(std::vector<MeasuringData>& out) {
    out = remoteData;
    return 0;
}

void TavoRX9100::setInsertNd(int value) {
    insertNd = value;
    setupStatus.setInsertNd(value);
}
