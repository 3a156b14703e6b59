// Dividing a measurement by the white calibration of its method and measuring angle.
#include "sensor/ConditionCodes.h"
#include "sensor/TavoRX9100.h"

namespace {

void applyWhite(const WhiteCalibrationData* white, std::vector<double>& values) {
    if (white == nullptr || !white->valid ||
        values.size() != static_cast<std::size_t>(kSpectralPoints)) {
        return;
    }
    for (int i = 0; i < kSpectralPoints; ++i) {
        values[i] = values[i] / white->coefficient[i] * 100.0;  // percent of the white reference
    }
}

}  // namespace

void TavoRX9100::ConvMeasurementData(MeasuringData& record, int) {
    if (setupStatus.getMeasurementMethod() != codes::method::kLightSource) {
        CalbMeasurementData(record);
    }
}

void TavoRX9100::CalbMeasurementData(MeasuringData& record) {
    if (setupStatus.getMeasurementMethod() == codes::method::kReflection) {
        CalbRefMeasurementData(record);
    } else {
        CalbTraMeasurementData(record);
    }
}

void TavoRX9100::CalbRefMeasurementData(MeasuringData& record) {
    applyWhite(whiteCalibrationRef(mesAng), record.getData());
}

void TavoRX9100::CalbTraMeasurementData(MeasuringData& record) {
    applyWhite(whiteCalibrationTra(mesAng), record.getData());
}
