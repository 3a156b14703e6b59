#include "sensor/TavoRX9100.h"

#include <new>

#include "outside/PortwayEx.h"
#include "platform/AppFolder.h"
#include "platform/Numbers.h"

namespace {

constexpr std::size_t kPortNameBytes = 30;
constexpr std::size_t kPathBytes = 256;

}  // namespace

AbstractSensorStrategy* TavoRX9100::getInstance() {
    // Lives until the module is unloaded; hosts call this from one thread.
    static TavoRX9100* instance = nullptr;
    if (instance == nullptr) {
        instance = new (std::nothrow) TavoRX9100();
    }
    return instance;
}

extern "C" AbstractSensorStrategy* rx9100_getInstance() {
    return TavoRX9100::getInstance();
}

TavoRX9100::TavoRX9100() : registry(std::make_unique<RegistryStore>()) {
    registry->open(kApplicationKey);
    platform::setUserDefaultLocale();

    std::string port = registry->readString(kSection, "MeasurementCOM", "COM1", kPortNameBytes);
    int baud = registry->readInt(kSection, "MeasurementBaudrate", 38400);
    whiteCalStdPath = registry->readString(kSection, "WCSFilePath", "", kPathBytes);
    registry->writeString(kSection, "WCSFilePath", whiteCalStdPath);
    whiteCalUserPath = registry->readString(kSection, "WCUFilePath", "", kPathBytes);
    registry->writeString(kSection, "WCUFilePath", whiteCalUserPath);
    whiteCalUserOn = registry->readInt(kSection, "WCUOnOff", 0);
    registry->writeInt(kSection, "WCUOnOff", whiteCalUserOn);

    auto serial = std::make_unique<SerialPort>(false, true);
    serial->setAvailableMethod(3);
    serial->setAvailableBaudRate(38400);
    serial->setAvailableByteSize(8);
    serial->setAvailableParity(0);
    serial->setAvailableStopBits(0);
    serial->setMethod(3);
    serial->setPortName(port);
    serial->setBaudRate(baud);
    serial->setByteSize(8);
    serial->setParity(0);
    serial->setStopBits(0);
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
    registry->close();
    registry.reset();
    connection = nullptr;
    ownedConnection.reset();
}

void TavoRX9100::setConnection(std::unique_ptr<HostConnection> replacement) {
    ownedConnection = std::move(replacement);
    connection = ownedConnection.get();
}

bool TavoRX9100::isTriggerCancel() {
    auto* bus = dynamic_cast<UnivSerialBus*>(connection);
    return bus != nullptr && bus->isCanceled();
}

void TavoRX9100::initializeInstrument() {
    initializeCapability();
    instrumentId.setName("RX-9100");

    setCapabilityMode(3);
    setupStatus.setMeasurementMethod(3);

    setSpeedList({3, 2, 7, 12});

    for (int sync : {3, 2, 8}) {
        setCapabilitySync(sync);
    }
    setupStatus.setSync(3);
    setupCapability.setSyncInternalDigit(2);
    setupCapability.setSyncInternalMin(20.0f);
    setupCapability.setSyncInternalMax(200.0f);

    setCapabilityLens(1);
    setCapabilityLens(11);
    setupStatus.setLens(1);

    for (int area : {21, 22, 23}) {
        setCapabilityArea(area);
    }
    setupStatus.setMeasurementArea(21);

    for (int mode : {5, 9, 4, 21, 22, 23, 24}) {
        setCapabilityCalMode(mode);
    }

    for (int nd : {0, 15, 16}) {
        setCapabilityNd(nd);
    }
    setupStatus.setNd(0);

    for (int insert : {0, 1, 2}) {
        setCapabilityInsertNd(insert);
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

    for (int observer : {0, 2, 10}) {
        setCapabilityObserver(observer);
    }
    setupStatus.setObserver(0);
}

void TavoRX9100::setSpeedList(std::initializer_list<int> speeds) {
    listSpeed.Clear();
    for (int speed : speeds) {
        setCapabilitySpeed(speed);
    }
    setupCapability.setSyncManualEnable(true);
    setupCapability.setSyncManualDigit(0);
    setupCapability.setSyncManualMin(1.0f);
    setupCapability.setSyncManualMax(16.0f);
    setupStatus.setSpeed(3);
}

void TavoRX9100::setMeasurementType(int type) {
    listMode.Clear();
    if (type == 3) {
        setCapabilityMode(3);
        setupStatus.setMeasurementMethod(3);
        calibrationCapability.setWhiteCal(false);
    } else {
        setCapabilityMode(1);
        setCapabilityMode(2);
        int method = setupStatus.getMeasurementMethod();
        if (method != 1 && method != 2) {
            setupStatus.setMeasurementMethod(type);
        }
        calibrationCapability.setWhiteCal(true);
    }
    checkInstrumentState();
}

int TavoRX9100::checkInstrumentState() {
    instrumentState.clearCalibration();
    int method = setupStatus.getMeasurementMethod();
    if (method == 3) {
        return 0;
    }
    const auto& records = method == 1 ? whiteCalRef : whiteCalTra;
    bool valid = mesAng >= 0 && mesAng < 3 && records[mesAng].valid;
    instrumentState.setBlackCal(0);
    instrumentState.setWhiteCal(valid ? 1 : 2);
    return 0;
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
    static constexpr std::array<int, 8> kCodes = {0, 5, 9, 21, 4, 22, 23, 24};
    int key = (wavelength ? 1 : 0) + (nd ? 2 : 0) + (level ? 4 : 0);
    setCalibrationMode(kCodes[key]);
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

void TavoRX9100::SetWhiteCalirationPathStdToReg(std::string& path) {
    whiteCalStdPath = path;
    registry->writeString(kSection, "WCSFilePath", path);
}

void TavoRX9100::SetWhiteCalibrationPathUserToReg(std::string& path) {
    whiteCalUserPath = path;
    registry->writeString(kSection, "WCUFilePath", path);
}

void TavoRX9100::SetWhiteCalibrationUserOnToReg(int on) {
    whiteCalUserOn = on;
    registry->writeInt(kSection, "WCUOnOff", on);
}

std::string TavoRX9100::GetAppFolderPath() const {
    return platform::hostExecutableFolder();
}

std::string TavoRX9100::GetRX9100SystemFolderPath() const {
    return GetAppFolderPath() + "RX9100/";
}
