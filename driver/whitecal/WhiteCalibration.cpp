// White calibration: the records by method and measuring angle; the calibration itself
// and its data dialog are not part of this build yet and refuse with 10.
#include "sensor/ConditionCodes.h"
#include "sensor/TavoRX9100.h"

int TavoRX9100::doWhiteCalibration() {
    return notAvailable();
}

int TavoRX9100::setupWhiteCalibrationData() {
    return notAvailable();
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
