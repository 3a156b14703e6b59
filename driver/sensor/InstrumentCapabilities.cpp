// What this instrument offers: the capability lists and records it fills at construction
// and the speed list that depends on the connected instrument's firmware.
#include "sensor/ConditionCodes.h"
#include "sensor/TavoRX9100.h"

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
