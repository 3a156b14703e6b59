#include "sensor/TavoRX9100.h"

#include <mutex>
#include <new>

#include "link/ConditionLink.h"
#include "link/ConnectionLink.h"
#include "outside/CommunicationMethod.h"
#include "outside/InstrumentPort.h"
#include "platform/Numbers.h"
#include "sensor/ConditionCodes.h"
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

int TavoRX9100::notAvailable() {
    return codes::status::kRefused;
}

bool TavoRX9100::isTriggerCancel() {
    return isCanceled(connection);
}

void TavoRX9100::initializeInstrument() {
    initializeCapability();
    instrumentId.setName("RX-9100");

    setCapabilityMode(codes::method::kLightSource);
    setupStatus.setMeasurementMethod(codes::method::kLightSource);

    setSpeedList(speedListFor(0));

    for (int sync : {codes::sync::kInternal, codes::sync::kExternal, codes::sync::kNone}) {
        setCapabilitySync(sync);
    }
    setupStatus.setSync(codes::sync::kInternal);
    setupCapability.setSyncInternalDigit(2);
    setupCapability.setSyncInternalMin(20.0f);
    setupCapability.setSyncInternalMax(200.0f);

    setCapabilityLens(codes::lens::kStandard);
    setCapabilityLens(codes::lens::kAdapter);
    setupStatus.setLens(codes::lens::kStandard);

    for (int area :
         {codes::area::kOneDegree, codes::area::kPointTwoDegree, codes::area::kPointOneDegree}) {
        setCapabilityArea(area);
    }
    setupStatus.setMeasurementArea(codes::area::kOneDegree);

    for (int mode : {codes::calmode::kWavelength, codes::calmode::kNd, codes::calmode::kLevel,
                     codes::calmode::kWavelengthNd, codes::calmode::kWavelengthLevel,
                     codes::calmode::kNdLevel, codes::calmode::kAll}) {
        setCapabilityCalMode(mode);
    }

    for (const codes::WireCode& nd : codes::kNdWire.rows()) {
        setCapabilityNd(nd.code);
    }
    setupStatus.setNd(codes::nd::kNone);

    for (const codes::WireCode& insert : codes::kInsertNdWire.rows()) {
        setCapabilityInsertNd(insert.code);
    }

    calibrationCapability.setZeroCal(false);
    calibrationCapability.setWhiteCal(false);
    calibrationCapability.setSetWhite(true);

    dataFormat.setType(DataFormat::kSpectral, kSpectralPoints);
    dataFormat.setOutput(1);
    dataFormat.setWaveLength(1, 380, 780);

    instrumentCapability.setReflectanceEnable(true);
    instrumentCapability.setUploadData(true, true);
    instrumentCapability.setDownloadData(true);
    instrumentCapability.setRemoteEnable(true);
    instrumentCapability.setOptionEnable(true);
    instrumentCapability.setDeleteData(true);

    for (int observer :
         {codes::observer::kDefault, codes::observer::kTwoDegree, codes::observer::kTenDegree}) {
        setCapabilityObserver(observer);
    }
    setupStatus.setObserver(codes::observer::kDefault);
}

std::vector<int> TavoRX9100::speedListFor(int firmwareLevel) {
    using namespace codes::speed;
    if (codes::hasRom110Layout(firmwareLevel)) {
        return {kNormal, kFast, kManual, kMultiRom110, kMulti2};
    }
    return {kNormal, kFast, kManual, kMulti};
}

void TavoRX9100::setSpeedList(const std::vector<int>& speeds) {
    listSpeed.Clear();
    for (int speed : speeds) {
        setCapabilitySpeed(speed);
    }
    setupCapability.setSyncManualEnable(true);
    setupCapability.setSyncManualDigit(0);
    setupCapability.setSyncManualMin(1.0f);
    setupCapability.setSyncManualMax(16.0f);
    setupStatus.setSpeed(codes::speed::kNormal);
}

void TavoRX9100::setMeasurementType(int type) {
    using namespace codes::method;
    listMode.Clear();
    if (type == kLightSource) {
        setCapabilityMode(kLightSource);
        setupStatus.setMeasurementMethod(kLightSource);
        calibrationCapability.setWhiteCal(false);
    } else {
        setCapabilityMode(kReflection);
        setCapabilityMode(kTransmission);
        int method = setupStatus.getMeasurementMethod();
        if (method != kReflection && method != kTransmission) {
            setupStatus.setMeasurementMethod(type);
        }
        calibrationCapability.setWhiteCal(true);
    }
    checkInstrumentState();
}

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

WhiteCalibrationData* TavoRX9100::whiteCalibrationRef(int angle) {
    return angle >= 0 && angle < static_cast<int>(whiteCalRef.size()) ? &whiteCalRef[angle]
                                                                      : nullptr;
}

WhiteCalibrationData* TavoRX9100::whiteCalibrationTra(int angle) {
    return angle >= 0 && angle < static_cast<int>(whiteCalTra.size()) ? &whiteCalTra[angle]
                                                                      : nullptr;
}

const WhiteCalibrationData* TavoRX9100::whiteCalibrationInForce() const {
    const auto& records = setupStatus.getMeasurementMethod() == codes::method::kReflection
                              ? whiteCalRef
                              : whiteCalTra;
    return mesAng >= 0 && mesAng < static_cast<int>(records.size()) ? &records[mesAng] : nullptr;
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

void TavoRX9100::setCalibrationMode(bool wavelength, bool nd, bool level) {
    setCalibrationMode(codes::calibrationModeFor({wavelength, nd, level}));
}

void TavoRX9100::setCalibrationMode(int mode) {
    setupStatus.setCalibrationMode(mode);
}

int TavoRX9100::getCalibrationMode() const {
    return setupStatus.getCalibrationMode();
}

namespace {

bool inRange(int ch) {
    return ch >= 0 && ch < TavoRX9100::kChannels;
}

}  // namespace

void TavoRX9100::setWaveCalSet(bool value, int ch) {
    if (inRange(ch))
        waveCalSet[ch] = value;
}
bool TavoRX9100::getWaveCalSet(int ch) const {
    return inRange(ch) && waveCalSet[ch];
}
void TavoRX9100::setLevelCalSet(bool value, int ch) {
    if (inRange(ch))
        levelCalSet[ch] = value;
}
bool TavoRX9100::getLevelCalSet(int ch) const {
    return inRange(ch) && levelCalSet[ch];
}
void TavoRX9100::setWaveCoef(bool value, int ch) {
    if (inRange(ch))
        waveCoef[ch] = value;
}
bool TavoRX9100::getWaveCoef(int ch) const {
    return inRange(ch) && waveCoef[ch];
}
void TavoRX9100::setLevelCoef(bool value, int ch) {
    if (inRange(ch))
        levelCoef[ch] = value;
}
bool TavoRX9100::getLevelCoef(int ch) const {
    return inRange(ch) && levelCoef[ch];
}
