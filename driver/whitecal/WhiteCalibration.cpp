// White calibration: the records by method and measuring angle, and the calibration
// dialog.
#include "platform/ModuleResources.h"
#include "platform/Window.h"
#include "sensor/ConditionCodes.h"
#include "sensor/ResultCodes.h"
#include "sensor/TavoRX9100.h"
#include "whitecal/CWhiteCalibrationDlg.h"

int TavoRX9100::doWhiteCalibration() {
    const int r = checkArea();
    if (r != 0) {
        return r;
    }
    // Chosen after the angle was read: the calibration is for the angle set now.
    WhiteCalibrationData* record = setupStatus.getMeasurementMethod() == codes::method::kReflection
                                       ? whiteCalibrationRef(mesAng)
                                       : whiteCalibrationTra(mesAng);
    if (record == nullptr) {
        return codes::status::kRefused;
    }
    platform::ResourceScope own(platform::ResourceSource::Module);
    CWhiteCalibrationDlg dialog(*this, setupCapability, setupStatus, *record,
                                platform::mainWindow());
    doWhiteCalb = true;
    const int code = dialog.doModal();
    doWhiteCalb = false;
    return code;
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
