// The user-calibration corrections the host applies to a measurement: wavelength, ND and
// level, chosen by the calibration mode of the current conditions. Every table is read
// from the instrument again; a correction whose table cannot be read is skipped alone.
#include <array>

#include "link/FactorTableProtocol.h"
#include "measure/SpectralCorrections.h"
#include "sensor/ConditionCodes.h"
#include "sensor/ResultCodes.h"
#include "sensor/TavoRX9100.h"

namespace {

using Table = std::array<double, protocol::kTableEntries>;

bool fullSpectrum(const MeasuringData& record) {
    return record.getData().size() == corrections::kPoints;
}

// A record whose spectrum is not 401 values long is refused before any table is read:
// error 41, whose text asks for a correct measurement.
int refuseRecord(TavoRX9100& driver) {
    driver.getInstrumentState()->setErrorCode(codes::error::kInvalidData);
    driver.setErrorMessage(codes::error::kInvalidData);
    return codes::status::kRefused;
}

}  // namespace

void TavoRX9100::CorrectMeasurementData(MeasuringData& record, int channel) {
    const auto corrections = codes::correctionsOf(setupStatus.getCalibrationMode());
    if (!corrections) {
        return;  // no calibration mode: nothing applies
    }
    if (corrections->wavelength && CorrectWavelength(record, channel) == codes::status::kOk) {
        setWaveCalSet(true, channel);
    }
    if (corrections->nd) {
        (void)CorrectND(record);
    }
    if (corrections->level && CorrectLevel(record, channel) == codes::status::kOk) {
        setLevelCalSet(true, channel);
    }
}

int TavoRX9100::CorrectWavelength(MeasuringData& record, int channel) {
    if (!fullSpectrum(record)) {
        return refuseRecord(*this);
    }
    Table wavelengths{};
    if (int r = checkWavelengthData(wavelengths.data(), channel); r != codes::status::kOk) {
        return r;
    }
    if (!corrections::resampleWavelength(record.getData(), wavelengths.data())) {
        return dataNotReceived();
    }
    return codes::status::kOk;
}

int TavoRX9100::CorrectLevel(MeasuringData& record, int channel) {
    if (!fullSpectrum(record)) {
        return refuseRecord(*this);
    }
    Table factors{};
    if (int r = checkLevelData(factors.data(), channel); r != codes::status::kOk) {
        return r;
    }
    corrections::multiply(record.getData(), factors.data());
    return codes::status::kOk;
}

int TavoRX9100::CorrectND(MeasuringData& record) {
    if (!fullSpectrum(record)) {
        return refuseRecord(*this);
    }
    Table factors{};
    if (int r = getAdapterNd(factors.data()); r != codes::status::kOk) {
        return r;
    }
    corrections::multiply(record.getData(), factors.data());
    return codes::status::kOk;
}
